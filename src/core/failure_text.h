// The words for a failure's reason, in the user's language.
#pragma once

#include "core/failure.h"

#include <QString>

namespace dewmoth::core {

// A short phrase that fits after "could not be read: " and the like.
QString reasonText(Reason reason);

} // namespace dewmoth::core
