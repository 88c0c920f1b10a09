#include "settings/settings_fields.h"

namespace pixolet {

namespace {

template <class... Ts>
struct Overloaded : Ts... {
    using Ts::operator()...;
};
template <class... Ts>
Overloaded(Ts...) -> Overloaded<Ts...>;

constexpr Settings kDefaults{};

}  // namespace

std::uint32_t StoredDword(const Settings& settings, const StoredField& field) {
    return std::visit(
        Overloaded{
            [&](const FlagField& f) -> std::uint32_t { return settings.*f.member ? 1 : 0; },
            [&](const ShortcutField& f) -> std::uint32_t { return settings.*f.member; },
            [&](const IntField& f) { return static_cast<std::uint32_t>(settings.*f.member); },
        },
        field.field);
}

void SetFromDword(Settings& settings, const StoredField& field, std::uint32_t dword) {
    std::visit(
        Overloaded{
            [&](const FlagField& f) { settings.*f.member = dword != 0; },
            [&](const ShortcutField& f) {
                settings.*f.member = static_cast<Shortcut>(dword & 0xFFFF);
            },
            [&](const IntField& f) { settings.*f.member = static_cast<std::int32_t>(dword); },
        },
        field.field);
}

void SetDefault(Settings& settings, const StoredField& field) {
    SetFromDword(settings, field, StoredDword(kDefaults, field));
}

void SetAllDefaults(Settings& settings) {
    for (const StoredField& field : kStoredFields) SetDefault(settings, field);
}

void ApplyRangeRule(Settings& settings) {
    for (const StoredField& field : kStoredFields) {
        const IntField* f = std::get_if<IntField>(&field.field);
        if (f == nullptr) continue;
        const std::int32_t value = settings.*f->member;
        // Wide arithmetic: the stored value may be anything a DWORD holds.
        const bool offStep = (static_cast<std::int64_t>(value) - f->min) % f->step != 0;
        if (value < f->min || value > f->max || offStep) settings.*f->member = kDefaults.*f->member;
    }
}

}  // namespace pixolet
