#pragma once
// Numbers and their texts: the decimal comma, format pictures, the decimal reader,
// the general number writer and single-precision storage.
#include "numbers/decimalreader.h"
#include "numbers/generalwriter.h"
#include "numbers/picture.h"
#include "numbers/single.h"
#include "numbers/typednumber.h"
