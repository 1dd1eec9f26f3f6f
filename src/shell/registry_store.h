#pragma once
// A registry-like store of typed values; the Windows registry implements it in the program,
// MemoryStore in tests and tools.

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace quillon {

enum class RegRoot { CurrentUser, ClassesRoot, LocalMachine };

// Values equal to the registry's own type codes.
enum class RegType : int32_t { None = 0, String = 1, Binary = 3, Number = 4 };

using Bytes = std::vector<uint8_t>;
// Nothing, a 32-bit number, a string (UTF-8 in the core) or a byte array.
using RegValue = std::variant<std::monostate, int32_t, std::string, Bytes>;

RegType TypeOf(const RegValue& value);

class IRegistryStore {
  public:
    virtual ~IRegistryStore() = default;
    // The stored value, or monostate when the key or value is missing or of another type.
    virtual RegValue Read(RegRoot root, std::string_view sKey, std::string_view sName) const = 0;
    // Creates the key when missing; false when nothing was written.
    virtual bool Write(RegRoot root, std::string_view sKey, std::string_view sName,
                       const RegValue& value) = 0;
};

// Generic read: value becomes the default when nothing was read; the result is the type read.
RegType RegRead(const IRegistryStore& store, RegRoot root, std::string_view sKey,
                std::string_view sName, RegValue& value, const RegValue* pDefault = nullptr);
// Generic write: converts the value to eType; the result is the type written (None on failure).
RegType RegWrite(IRegistryStore& store, RegRoot root, std::string_view sKey, std::string_view sName,
                 const RegValue& value, RegType eType);

}  // namespace quillon
