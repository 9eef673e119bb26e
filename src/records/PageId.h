#pragma once

#include "records/Kinds.h"

namespace records {

// The former name of RecordKind, kept while code written against it moves over; it goes away.
using PageId = RecordKind;

} // namespace records
