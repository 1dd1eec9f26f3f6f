#pragma once
// The settings' store in the Windows registry. Every call opens and closes its own key, so a
// value written anywhere is seen by the next read.

#include "shell/registry_store.h"

namespace quillon::win {

class WinRegistryStore final : public IRegistryStore {
  public:
    // Strings come back as UTF-8; a string value is kept in the ANSI code page in the registry.
    RegValue Read(RegRoot root, std::string_view sKey, std::string_view sName) const override;
    bool Write(RegRoot root, std::string_view sKey, std::string_view sName,
               const RegValue& value) override;
};

}  // namespace quillon::win
