#pragma once
#include <map>
#include <tuple>

#include "shell/registry_store.h"

namespace quillon {

// In-memory registry for tests and the headless tools. Key paths compare without regard to
// case, as in the registry.
class MemoryStore final : public IRegistryStore {
  public:
    RegValue Read(RegRoot root, std::string_view sKey, std::string_view sName) const override;
    bool Write(RegRoot root, std::string_view sKey, std::string_view sName,
               const RegValue& value) override;
    bool HasKey(RegRoot root, std::string_view sKey) const;
    size_t Size() const { return m_values.size(); }

  private:
    using Address = std::tuple<RegRoot, std::string, std::string>;
    std::map<Address, RegValue> m_values;
};

}  // namespace quillon
