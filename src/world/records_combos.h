// Records of the combos: one detected line of cars, and the level's combo log.
#pragma once

// One combo: a line of three or more cars of one class on the grid.
struct cCombo {
    static constexpr int kMaxMembers = 40;
    int id = 0;
    int count = 0;
    int direction = 0; // 0 vertical (one column), 1 horizontal (one row)
    int memberIndex[kMaxMembers] = {}; // place or fundament index, -1 when none stands there
    int memberClass[kMaxMembers] = {};
    int memberRow[kMaxMembers] = {};
    int memberColumn[kMaxMembers] = {};
};

// How often combos of one length and class happened in this level.
struct cComboLogEntry {
    int length = 0;
    int times = 0;
    int class_ = 0; // "class" is a keyword
    int points = 0; // sum of the world's points at each occurrence
};
