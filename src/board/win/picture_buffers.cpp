#include "board/win/picture_buffers.h"

#include <string>
#include <utility>
#include <vector>

#include "engine/card_layout.h"
#include "resources/resource.h"
#include "shell/error_report.h"
#include "shell/settings.h"
#include "shell/win/modFiles.h"
#include "shell/win/resource_bytes.h"
#include "shell/win/scoped.h"
#include "shell/win/text.h"
#include "ui/win/picture_loader.h"
#include "ui/win/string_table.h"

namespace quillon::win {

namespace {

std::string PicturePath(const std::string& sFolder, std::string_view sName,
                        std::string_view sExtension) {
    return sFolder + std::string(sName) + std::string(sExtension);
}

}  // namespace

MessageDisplay MessageBoxDisplay(HWND hOwner) {
    return [hOwner](const std::string& sText, const std::string& sTitle, UINT uType) {
        MessageBoxW(hOwner, Widen(sText).c_str(), Widen(sTitle).c_str(), uType);
    };
}

// Every buffer starts as the board's green, the colour the picture boxes were created with.
PictureBuffers::PictureBuffers(HMODULE hModule, PictureFolders folders, IErrorReporter& reporter,
                               MessageDisplay showMessage)
    : m_hModule(hModule),
      m_folders(std::move(folders)),
      m_reporter(reporter),
      m_showMessage(std::move(showMessage)),
      m_picBack(kCardWidth, kCardHeight, kBoardGreen),
      m_picCardSet(kCardWidth * kFaces, kCardHeight, kBoardGreen),
      m_picMask(kCardWidth, kCardHeight, kBoardGreen),
      m_picBorder(kCardWidth, kCardHeight, kBoardGreen),
      m_picBackInv(kCardWidth, kCardHeight, kBoardGreen) {}

void PictureBuffers::LoadMaskAndBorder() {
    m_picMask = LoadBitmapResource(m_hModule, "CARD_MASK");
    m_picBorder = LoadBitmapResource(m_hModule, "CARD_BORDER");
}

bool PictureBuffers::LoadPictureSets(const Settings& settings) {
    try {
        const std::string sDefaultBack =
            PicturePath(m_folders.sCardBacks, kDefaultPictureName, kCardBackExtension);
        const std::string sDefaultSet =
            PicturePath(m_folders.sCardSets, kDefaultPictureName, kCardSetExtension);
        // A default that cannot be written is noticed by ExtractPicture; loading goes on and
        // fails below if the default is then needed.
        if (!FileExists(sDefaultBack)) ExtractPicture(PictureCardBack);
        if (!FileExists(sDefaultSet)) ExtractPicture(PictureCardSet);

        std::string sBackPath = PicturePath(
            m_folders.sCardBacks, settings.GetSettingText(SettingCardBacks), kCardBackExtension);
        if (!FileExists(sBackPath)) sBackPath = sDefaultBack;
        {
            // picBack keeps its card size whatever the file's: a larger picture is cut, a
            // smaller one leaves the buffer's green around it.
            const MemoryCanvas loaded = LoadPictureFile(sBackPath);
            m_picBack.FillRect(0, 0, kCardWidth, kCardHeight, kBoardGreen);
            m_picBack.BitBlt(0, 0, kCardWidth, kCardHeight, &loaded, 0, 0, RasterOp::Copy);
        }

        std::string sSetPath = PicturePath(
            m_folders.sCardSets, settings.GetSettingText(SettingCardSet), kCardSetExtension);
        if (!FileExists(sSetPath)) sSetPath = sDefaultSet;
        // The strip takes the image's own size, so every face of it stays readable.
        m_picCardSet = LoadPictureFile(sSetPath);

        ComposeInvertedBack(m_picBackInv, m_picBack, m_picMask, m_picBorder);
        return true;
    } catch (...) {
        ReportCurrentException(m_reporter, "frmMain::LoadPictureSets", false);
        return false;
    }
}

bool PictureBuffers::ExtractPicture(int32_t eKind) {
    try {
        const bool bBack = eKind == PictureCardBack;
        const std::string sPath =
            bBack ? PicturePath(m_folders.sCardBacks, kDefaultPictureName, kCardBackExtension)
                  : PicturePath(m_folders.sCardSets, kDefaultPictureName, kCardSetExtension);
        const bool ok = SaveResourceToFile(sPath, bBack ? "BACK" : "CARDSET", kDefaultResourceType);
        if (!ok)
            m_showMessage(LoadTextUtf8(m_hModule, IDS_PICTURES_READONLY),
                          LoadTextUtf8(m_hModule, IDS_PICTURES_READONLY_TITLE),
                          MB_ICONEXCLAMATION | MB_OK);
        return ok;
    } catch (...) {
        ReportCurrentException(m_reporter, "frmMain::ExtractPicture", true);
        return false;
    }
}

bool PictureBuffers::SaveResourceToFile(std::string_view sPath, std::string_view sResName,
                                        std::string_view sResType) const {
    try {
        const std::vector<uint8_t> bytes =
            ResourceBytes(m_hModule, Widen(sResName).c_str(), Widen(sResType).c_str());
        if (bytes.empty()) return false;
        const std::wstring path = Widen(sPath);
        bool ok = false;
        {
            const ScopedFile file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr,
                                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
            if (!file) return false;
            DWORD lWritten = 0;
            ok = WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &lWritten,
                           nullptr) &&
                 lWritten == bytes.size();
        }
        // A half-written default would pass for a good one at every later start.
        if (!ok) DeleteFileW(path.c_str());
        return ok;
    } catch (...) {
        return false;  // this procedure answers with its result only
    }
}

CardSurfaces PictureBuffers::CacheDrawingHandles(ICanvas* pBoard) const {
    return CardSurfaces{pBoard, &m_picBack, &m_picBackInv, &m_picMask, &m_picBorder, &m_picCardSet};
}

}  // namespace quillon::win
