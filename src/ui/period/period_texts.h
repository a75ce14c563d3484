// The texts of the period choice and the period window that the code writes (the dialogs' own texts
// are in the resource script), in one place.
#pragma once

namespace qm {

// The period choice, in the order of UsagePeriod: day, week, month.
inline constexpr const char16_t* kPeriodChoiceTexts[3] = {u"日", u"週", u"月"};
inline constexpr char16_t kUsageWindowCaption[] = u"アプリケーション使用率";
inline constexpr char16_t kPeriodWindowCaption[] = u"期間の表示";
// Behind the caption while a period is being totalled.
inline constexpr char16_t kCountingNote[] = u" (集計中…)";
inline constexpr char16_t kIniSaveFailed[] = u"quillmere.ini に期間の選択を保存できませんでした。";
// The days of the week in the period picture's labels, from Sunday as the system counts them.
inline constexpr const char16_t* kWeekdayTexts[7] = {u"日", u"月", u"火", u"水", u"木", u"金", u"土"};
// Behind the caption, followed by the names of the day logs that could not be read.
inline constexpr char16_t kUnreadableNote[] = u" 読めないログ:";

}  // namespace qm
