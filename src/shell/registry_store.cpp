#include "shell/registry_store.h"

#include <charconv>

namespace quillon {

RegType TypeOf(const RegValue& value) {
    switch (value.index()) {
        case 1:
            return RegType::Number;
        case 2:
            return RegType::String;
        case 3:
            return RegType::Binary;
        default:
            return RegType::None;
    }
}

RegType RegRead(const IRegistryStore& store, RegRoot root, std::string_view sKey,
                std::string_view sName, RegValue& value, const RegValue* pDefault) {
    RegValue read = store.Read(root, sKey, sName);
    const RegType eType = TypeOf(read);
    if (eType == RegType::None) {
        if (pDefault) value = *pDefault;
        return RegType::None;
    }
    value = std::move(read);
    return eType;
}

namespace {

// The value as eType, or monostate when it cannot be converted.
RegValue Convert(const RegValue& value, RegType eType) {
    switch (eType) {
        case RegType::String:
            if (const auto* s = std::get_if<std::string>(&value)) return *s;
            if (const auto* n = std::get_if<int32_t>(&value)) return std::to_string(*n);
            return {};
        case RegType::Number:
            if (const auto* n = std::get_if<int32_t>(&value)) return *n;
            if (const auto* s = std::get_if<std::string>(&value)) {
                int32_t n = 0;
                const char* end = s->data() + s->size();
                auto [ptr, ec] = std::from_chars(s->data(), end, n);
                if (ec == std::errc() && ptr == end && !s->empty()) return n;
            }
            return {};
        case RegType::Binary:
            if (const auto* b = std::get_if<Bytes>(&value)) return *b;
            return {};
        default:
            return {};
    }
}

}  // namespace

RegType RegWrite(IRegistryStore& store, RegRoot root, std::string_view sKey, std::string_view sName,
                 const RegValue& value, RegType eType) {
    const RegValue converted = Convert(value, eType);
    if (TypeOf(converted) == RegType::None) return RegType::None;
    return store.Write(root, sKey, sName, converted) ? eType : RegType::None;
}

}  // namespace quillon
