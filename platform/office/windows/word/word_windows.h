#pragma once
// The windows of the stand-in Word: one per open document, showing its main story (paragraphs,
// fields by their shaded results, tables as grids) with the insertion point and selection of the
// document's window, where the user types, deletes, clicks and selects; the menus 文件 (打开…,
// 保存 (Ctrl+S), 另存为…, 关闭, 退出; closing a changed document or quitting with changed documents
// asks "是否将更改保存到 NAME 中？" with 保存 / 不保存 / 取消) and 编辑 (查找和替换…, Ctrl+H) with the non-modal find and replace dialog,
// whose searches set the document's find object as a user's own search does.
//
// Perform takes these actions, each on the active document's window as the user would do it:
//   {"type", TEXT}      types the text at the insertion point ("\r" or "\n" is Enter)
//   {"key", NAME}       presses Backspace, Delete, Enter or Tab
//   {"click", N}        puts the insertion point at shown position N, as a click does
//   {"select", A, B}    selects from shown position A to B, as a drag does
//   {"activate", NAME}  activates the named document's window, as a click on it does
//   {"open", PATH}      文件 > 打开… with the file chosen
//   {"saveas", PATH}    文件 > 另存为… with the file chosen
//   {"save"[, PATH]}    文件 > 保存; PATH is the name chosen when it asks for one (none: cancelled)
//   {"close"}           closes the window (the last one quits Word); a changed document asks
//   {"quit"}            文件 > 退出; each changed document asks in turn
//   {"answer", BUTTON[, PATH]}  clicks 保存, 不保存 or 取消 in the save question; PATH as for save
// While the save question is open, only "answer" is taken.
//   {"find"}            编辑 > 查找和替换…: shows the dialog
// Shown positions count the characters of the window's text as Qt's QTextDocument counts them.

#include <memory>

#include "platform/office/windows/application_windows.h"
#include "platform/office/word/word_application.h"

namespace office::windows {

std::unique_ptr<ApplicationWindows> MakeWordWindows(std::shared_ptr<office::word::WordApplication> app, UserActed acted);

}  // namespace office::windows
