// The ids of the texts the period choice and the period picture write, in the orders the code counts
// in; the texts themselves are rows of ui/text/texts.def.
#pragma once

#include "ui/text/texts.h"

namespace qm {

// The period choice, in the order of UsagePeriod: day, week, month.
inline constexpr TextId kPeriodChoiceTexts[3] = {TextId::PeriodDay, TextId::PeriodWeek, TextId::PeriodMonth};
// The days of the week in the period picture's labels, from Sunday as the system counts them.
inline constexpr TextId kWeekdayTexts[7] = {TextId::Sunday,   TextId::Monday, TextId::Tuesday, TextId::Wednesday,
                                            TextId::Thursday, TextId::Friday, TextId::Saturday};

}  // namespace qm
