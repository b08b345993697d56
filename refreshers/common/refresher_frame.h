#pragma once
// What the three refresher programs share around the fill routines: the messages, the attach,
// and the wait window's topmost, colour-keyed look.

#include "platform/ui/control.h"
#include "platform/ui/form.h"
#include "refreshers/common/refresh_context.h"

namespace refreshers {

inline constexpr const char* kRefresherTitle = "Qorvane房地产估价系统";
inline constexpr const char* kWordNotRunning = "Word没有启动，请先启动WORD并打开估价报告才能进行刷新！";
inline constexpr const char* kNotAProjectWorkbook = "当前表不是标准的Qorvane房地产估价项目表。无法刷新报告！";
inline constexpr const char* kConnectionLost = "与Excel或Word的连接已中断，报告没有刷新完毕。";
inline constexpr const char* kRefreshCompleted =
    "评估报告刷新完毕。您可以对该文档任意的修改，当评估数据有所变动的时，您可以重新进行刷新该报告。";

// Every fill routine attaches again with this: the running Excel and Word, never created.
Office AttachRunningOffice();

void ShowInformation(const char* text, const char* title);
void ShowRefreshCompleted();

// Above every other window, without moving or resizing it.
void MakeTopmost(ui::Form& window);
// Its black pixels become transparent and let clicks through: only the text floats on the screen.
void DoTheStuff(ui::Form& window);

// The wait windows' look: black, with the blue text in the middle of the screen.
void LayOutWaitWindow(ui::Form& window, ui::Control& label);

}  // namespace refreshers
