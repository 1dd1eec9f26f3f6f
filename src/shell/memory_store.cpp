#include "shell/memory_store.h"

#include <algorithm>
#include <cctype>

namespace quillon {

namespace {
std::string Lower(std::string_view s) {
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}
}  // namespace

RegValue MemoryStore::Read(RegRoot root, std::string_view sKey, std::string_view sName) const {
    const auto it = m_values.find({root, Lower(sKey), Lower(sName)});
    return it == m_values.end() ? RegValue{} : it->second;
}

bool MemoryStore::Write(RegRoot root, std::string_view sKey, std::string_view sName,
                        const RegValue& value) {
    if (TypeOf(value) == RegType::None) return false;
    m_values[{root, Lower(sKey), Lower(sName)}] = value;
    return true;
}

bool MemoryStore::HasKey(RegRoot root, std::string_view sKey) const {
    const std::string key = Lower(sKey);
    return std::any_of(m_values.begin(), m_values.end(), [&](const auto& entry) {
        return std::get<0>(entry.first) == root && std::get<1>(entry.first) == key;
    });
}

}  // namespace quillon
