#pragma once
// The built VyxIUpdate.dll beside the test program, and a fixture that runs the library's code
// linked into the tests as if it were that DLL, with its reports recorded instead of shown.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "iupdate/win/library_report.h"
#include "iupdate/win/module.h"
#include "shell/win/modFiles.h"
#include "shell/win/scoped.h"
#include "shell/win/text.h"

namespace quillon::test {

inline std::string LibraryPath() { return win::ModuleFolder() + "VyxIUpdate.dll"; }

class LinkedLibrary : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        // Type information and registration read the module's file: the built library.
        static const win::ScopedModule library(LoadLibraryW(win::Widen(LibraryPath()).c_str()));
        ASSERT_TRUE(library) << LibraryPath();
        iupdate::SetModule(library.Get());
    }
    void SetUp() override {
        m_previous = iupdate::Reporter().SetDisplay(
            [this](HWND, const ErrorReport& report) { m_reports.push_back(report); });
    }
    void TearDown() override { iupdate::Reporter().SetDisplay(std::move(m_previous)); }

    const win::ScopedCoInit m_com;
    std::vector<ErrorReport> m_reports;

  private:
    iupdate::LibraryReporter::Display m_previous;
};

}  // namespace quillon::test
