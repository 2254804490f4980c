// The descriptions of the dictionary windows, one function each.
#pragma once

#include "pattern/description.h"

namespace slownik {

const Description& vat_rates();
const Description& currencies();
const Description& banks();
const Description& countries();
const Description& classifier_dictionaries();

}  // namespace slownik
