#include "Layouts.h"

#include <array>

#include "core/Creature.h"
#include "core/EventRecord.h"
#include "core/ItemRecords.h"
#include "core/Serializer.h"
#include "core/TableRecords.h"

namespace kv::kvrdata {

namespace {

struct NamedLayout {
    std::string_view Name;
    Layout (*Describe)();
};

template <class R>
Layout Describe() {
    return DescribeRecord<R>();
}

constexpr std::array<NamedLayout, 12> NamedLayouts = {{
    {"ItemDef", Describe<ItemDef>},
    {"SpellDef", Describe<SpellDef>},
    {"TrapDef", Describe<TrapDef>},
    {"NpcTradeDef", Describe<NpcTradeDef>},
    {"SkillDef", Describe<SkillDef>},
    {"QuestDef", Describe<QuestDef>},
    {"TalkDef", Describe<TalkDef>},
    {"EventDef", Describe<EventDef>},
    {"Creature", Describe<Creature>},
    {"InventorySlot", Describe<InventorySlot>},
    {"MonsterActionDef", Describe<MonsterActionDef>},
    {"SpareRecord", Describe<SpareRecord>},
}};

}  // namespace

std::optional<std::string> RecordLayout(std::string_view record) {
    for (const NamedLayout& layout : NamedLayouts) {
        if (layout.Name == record) {
            const Layout fields = layout.Describe();
            size_t size = 0;
            for (const FieldInfo& field : fields) size = std::max(size, field.Offset + field.Size);
            return std::string(record) + ": " + std::to_string(size) +
                   " bytes with every String empty\n" + FormatLayout(fields);
        }
    }
    return std::nullopt;
}

std::vector<std::string_view> LayoutNames() {
    std::vector<std::string_view> names;
    for (const NamedLayout& layout : NamedLayouts) names.push_back(layout.Name);
    return names;
}

}  // namespace kv::kvrdata
