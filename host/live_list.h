#pragma once

#include <algorithm>
#include <vector>

namespace host {

// Visits the objects a list holds while a visit may remove any of them from
// it: a report to one window can end the program, and with it every window.
// Each object the list held when the walk began is visited only while the
// list still holds it.
template <class Item, class Visit>
void forEachStillListed(const std::vector<Item*>& list, Visit&& visit) {
    const std::vector<Item*> listed = list;
    for (Item* item : listed) {
        if (std::find(list.begin(), list.end(), item) != list.end()) visit(*item);
    }
}

}  // namespace host
