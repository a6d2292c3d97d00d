#include "core/plot/GraphResults.h"

#include <algorithm>

void SGraphResults::SetMarks(EMarkSource source, std::vector<SGraphMark> list)
{
    std::erase_if(marks, [source](const SGraphMark &m) { return m.source == source; });
    for (SGraphMark &m : list) {
        m.source = source;
        marks.push_back(std::move(m));
    }
    highlighted = -1;
}

void SGraphResults::Highlight(EMarkSource source, int row)
{
    highlighted = -1;
    if (row < 0)
        return;
    for (int i = 0, seen = 0; i < static_cast<int>(marks.size()); ++i)
        if (marks[i].source == source && seen++ == row) {
            highlighted = i;
            return;
        }
}

void SGraphResults::DropSlot(int slot)
{
    if (std::erase_if(marks, [slot](const SGraphMark &m) { return m.slot == slot || m.otherSlot == slot; }) > 0)
        highlighted = -1;
    if (shading && shading->slot == slot)
        shading.reset();
}

void SGraphResults::Clear()
{
    marks.clear();
    highlighted = -1;
    shading.reset();
}
