#include "iupdate/win/class_table.h"

#include "VyxIUpdate_h.h"
#include "iupdate/win/clsAbout.h"
#include "iupdate/win/clsSubmit.h"
#include "iupdate/win/clsUpdate.h"

namespace quillon::iupdate {

namespace {

const ClassEntry kClasses[] = {
    {&CLSID_clsUpdate, L"VyxIUpdate.clsUpdate", CreateClsUpdate},
    {&CLSID_clsAbout, L"VyxIUpdate.clsAbout", CreateClsAbout},
    {&CLSID_clsSubmit, L"VyxIUpdate.clsSubmit", CreateClsSubmit},
};

}  // namespace

std::span<const ClassEntry> Classes() { return kClasses; }

const ClassEntry* FindClass(REFCLSID clsid) {
    for (const ClassEntry& entry : kClasses) {
        if (*entry.pClsid == clsid) return &entry;
    }
    return nullptr;
}

}  // namespace quillon::iupdate
