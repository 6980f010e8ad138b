// The choices of an option menu: numbered, named entries and how many value positions they span.
#pragma once

#include <cstdint>

struct MenuListEntry {
    int32_t itemNumber;  // 0 marks a separator
    char name[32];       // zero-padded
};
static_assert(sizeof(MenuListEntry) == 36, "an entry is a 32-bit number and a 32-byte name");

struct MenuList {
    const MenuListEntry* entries;
    int32_t entryCount;
    int32_t positions;  // value v selects item floor((positions - 1) * v + 0.5) + 1
};
