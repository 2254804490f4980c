// The icons of a browse's record actions in its popup menu.
#pragma once

#include "dane/popup.h"

namespace keldox {

// Mode 0 gives the popup items "Insert", "Change", "Delete" and "Select" the texts
// "[31848(~dodaj2.ico)]Dodaj", "[31848(~popraw2.ico)]Popraw", "[31848(~usun2.ico)]Usuń" and
// "[31848(~wybierz.ico)]Wybierz"; mode 1 the same texts without the leading "["; any other mode changes
// nothing. Items the popup does not have are left out (none is added).
void USTAW4IKONYBROWSERA(dane::PopupMenu& popup, int mode = 0);

}  // namespace keldox
