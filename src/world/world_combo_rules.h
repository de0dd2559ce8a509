// Rules shared by the place and the fundament combos: merging combos that
// cross on a changed cell, and the limits of the combo buffers.
#pragma once

class cGameWorld;
struct cCombo;

namespace world {

constexpr int kWildcardAuto = 90; // the joker car: matches any class on the grid
constexpr int kAnyClass = 6; // a served car of this class matches any class
constexpr int kComboGrid = 10; // combos look at rows and columns 0..9
constexpr int kMergedDirection = -1; // a merged combo runs both ways

// Appends a member; false when the record is full.
bool AddComboMember(cCombo& combo, int index, int autoClass, int row, int column);

// While two combos share a changed cell whose members agree in class, the
// two become one. Fundament combos let the wildcard agree with any class.
void MergeCombos(cGameWorld& w, bool wildcardAgrees);

// The sound of a combo of that many cars.
const char* BonusSoundName(int count);

} // namespace world
