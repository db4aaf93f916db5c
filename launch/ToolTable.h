// The in-house tools of the Tools dialog: one row per button. The dialog's
// message table, its template (written by tools/ToolsTemplateWriter.cpp) and
// the tests all follow this.
#pragma once

#include "res/resource.h"

#include <array>
#include <cstddef>

enum class ToolLaunchKind {
    Plain,                  // started directly
    ElevatedWhenSupported,  // asks for administrator rights from version 5.1 on
    AlwaysElevated,         // always handed to the shell's "runas"
};

struct ToolButton {
    int buttonId;
    const wchar_t* caption;
    const wchar_t* exePath;
    ToolLaunchKind kind;
    int column;  // 1..4, left to right (ui/ToolsGrid.h)
    int row;     // 0..kToolRowCount-1, top to bottom
};

constexpr std::size_t kToolButtonCount = 71;
// The two builds of a tool share one executable; the x86 button stands left
// of its x64 twin. Pairs fill columns 1-2 and the top of columns 3-4, single
// tools the rest of columns 3-4.
inline constexpr std::array<ToolButton, kToolButtonCount> kToolButtons = {{
    {IDC_TOOL_FIRST + 0, L"Message Viewer x86", L"C:\\Kestrova\\Tools\\Message Viewer\\messageviewer.exe", ToolLaunchKind::Plain, 1, 0},
    {IDC_TOOL_FIRST + 1, L"Message Viewer x64", L"C:\\Kestrova\\Tools\\Message Viewer\\messageviewer.exe", ToolLaunchKind::Plain, 2, 0},
    {IDC_TOOL_FIRST + 2, L"Message Recorder x86", L"C:\\Kestrova\\Tools\\Message Recorder\\messagerecorder.exe", ToolLaunchKind::Plain, 1, 1},
    {IDC_TOOL_FIRST + 3, L"Message Recorder x64", L"C:\\Kestrova\\Tools\\Message Recorder\\messagerecorder.exe", ToolLaunchKind::Plain, 2, 1},
    {IDC_TOOL_FIRST + 4, L"Message Player x86", L"C:\\Kestrova\\Tools\\Message Player\\messageplayer.exe", ToolLaunchKind::Plain, 1, 2},
    {IDC_TOOL_FIRST + 5, L"Message Player x64", L"C:\\Kestrova\\Tools\\Message Player\\messageplayer.exe", ToolLaunchKind::Plain, 2, 2},
    {IDC_TOOL_FIRST + 6, L"Trace Viewer x86", L"C:\\Kestrova\\Tools\\Trace Viewer\\traceviewer.exe", ToolLaunchKind::Plain, 1, 3},
    {IDC_TOOL_FIRST + 7, L"Trace Viewer x64", L"C:\\Kestrova\\Tools\\Trace Viewer\\traceviewer.exe", ToolLaunchKind::Plain, 2, 3},
    {IDC_TOOL_FIRST + 8, L"Log Viewer x86", L"C:\\Kestrova\\Tools\\Log Viewer\\logviewer.exe", ToolLaunchKind::Plain, 1, 4},
    {IDC_TOOL_FIRST + 9, L"Log Viewer x64", L"C:\\Kestrova\\Tools\\Log Viewer\\logviewer.exe", ToolLaunchKind::Plain, 2, 4},
    {IDC_TOOL_FIRST + 10, L"Log Converter x86", L"C:\\Kestrova\\Tools\\Log Converter\\logconverter.exe", ToolLaunchKind::Plain, 1, 5},
    {IDC_TOOL_FIRST + 11, L"Log Converter x64", L"C:\\Kestrova\\Tools\\Log Converter\\logconverter.exe", ToolLaunchKind::Plain, 2, 5},
    {IDC_TOOL_FIRST + 12, L"Heap Inspector x86", L"C:\\Kestrova\\Tools\\Heap Inspector\\heapinspector.exe", ToolLaunchKind::Plain, 1, 6},
    {IDC_TOOL_FIRST + 13, L"Heap Inspector x64", L"C:\\Kestrova\\Tools\\Heap Inspector\\heapinspector.exe", ToolLaunchKind::Plain, 2, 6},
    {IDC_TOOL_FIRST + 14, L"Handle Inspector x86", L"C:\\Kestrova\\Tools\\Handle Inspector\\handleinspector.exe", ToolLaunchKind::ElevatedWhenSupported, 1, 7},
    {IDC_TOOL_FIRST + 15, L"Handle Inspector x64", L"C:\\Kestrova\\Tools\\Handle Inspector\\handleinspector.exe", ToolLaunchKind::ElevatedWhenSupported, 2, 7},
    {IDC_TOOL_FIRST + 16, L"Window Inspector x86", L"C:\\Kestrova\\Tools\\Window Inspector\\windowinspector.exe", ToolLaunchKind::Plain, 1, 8},
    {IDC_TOOL_FIRST + 17, L"Window Inspector x64", L"C:\\Kestrova\\Tools\\Window Inspector\\windowinspector.exe", ToolLaunchKind::Plain, 2, 8},
    {IDC_TOOL_FIRST + 18, L"Thread Monitor x86", L"C:\\Kestrova\\Tools\\Thread Monitor\\threadmonitor.exe", ToolLaunchKind::Plain, 1, 9},
    {IDC_TOOL_FIRST + 19, L"Thread Monitor x64", L"C:\\Kestrova\\Tools\\Thread Monitor\\threadmonitor.exe", ToolLaunchKind::Plain, 2, 9},
    {IDC_TOOL_FIRST + 20, L"Memory Monitor x86", L"C:\\Kestrova\\Tools\\Memory Monitor\\memorymonitor.exe", ToolLaunchKind::Plain, 1, 10},
    {IDC_TOOL_FIRST + 21, L"Memory Monitor x64", L"C:\\Kestrova\\Tools\\Memory Monitor\\memorymonitor.exe", ToolLaunchKind::Plain, 2, 10},
    {IDC_TOOL_FIRST + 22, L"Performance Monitor x86", L"C:\\Kestrova\\Tools\\Performance Monitor\\performancemonitor.exe", ToolLaunchKind::Plain, 1, 11},
    {IDC_TOOL_FIRST + 23, L"Performance Monitor x64", L"C:\\Kestrova\\Tools\\Performance Monitor\\performancemonitor.exe", ToolLaunchKind::Plain, 2, 11},
    {IDC_TOOL_FIRST + 24, L"Event Recorder x86", L"C:\\Kestrova\\Tools\\Event Recorder\\eventrecorder.exe", ToolLaunchKind::Plain, 1, 12},
    {IDC_TOOL_FIRST + 25, L"Event Recorder x64", L"C:\\Kestrova\\Tools\\Event Recorder\\eventrecorder.exe", ToolLaunchKind::Plain, 2, 12},
    {IDC_TOOL_FIRST + 26, L"Input Recorder x86", L"C:\\Kestrova\\Tools\\Input Recorder\\inputrecorder.exe", ToolLaunchKind::Plain, 1, 13},
    {IDC_TOOL_FIRST + 27, L"Input Recorder x64", L"C:\\Kestrova\\Tools\\Input Recorder\\inputrecorder.exe", ToolLaunchKind::Plain, 2, 13},
    {IDC_TOOL_FIRST + 28, L"Input Player x86", L"C:\\Kestrova\\Tools\\Input Player\\inputplayer.exe", ToolLaunchKind::Plain, 1, 14},
    {IDC_TOOL_FIRST + 29, L"Input Player x64", L"C:\\Kestrova\\Tools\\Input Player\\inputplayer.exe", ToolLaunchKind::Plain, 2, 14},
    {IDC_TOOL_FIRST + 30, L"Screen Recorder x86", L"C:\\Kestrova\\Tools\\Screen Recorder\\screenrecorder.exe", ToolLaunchKind::Plain, 1, 15},
    {IDC_TOOL_FIRST + 31, L"Screen Recorder x64", L"C:\\Kestrova\\Tools\\Screen Recorder\\screenrecorder.exe", ToolLaunchKind::Plain, 2, 15},
    {IDC_TOOL_FIRST + 32, L"Font Viewer x86", L"C:\\Kestrova\\Tools\\Font Viewer\\fontviewer.exe", ToolLaunchKind::Plain, 1, 16},
    {IDC_TOOL_FIRST + 33, L"Font Viewer x64", L"C:\\Kestrova\\Tools\\Font Viewer\\fontviewer.exe", ToolLaunchKind::Plain, 2, 16},
    {IDC_TOOL_FIRST + 34, L"Resource Viewer x86", L"C:\\Kestrova\\Tools\\Resource Viewer\\resourceviewer.exe", ToolLaunchKind::Plain, 1, 17},
    {IDC_TOOL_FIRST + 35, L"Resource Viewer x64", L"C:\\Kestrova\\Tools\\Resource Viewer\\resourceviewer.exe", ToolLaunchKind::Plain, 2, 17},
    {IDC_TOOL_FIRST + 36, L"Symbol Viewer x86", L"C:\\Kestrova\\Tools\\Symbol Viewer\\symbolviewer.exe", ToolLaunchKind::Plain, 1, 18},
    {IDC_TOOL_FIRST + 37, L"Symbol Viewer x64", L"C:\\Kestrova\\Tools\\Symbol Viewer\\symbolviewer.exe", ToolLaunchKind::Plain, 2, 18},
    {IDC_TOOL_FIRST + 38, L"Module Inspector x86", L"C:\\Kestrova\\Tools\\Module Inspector\\moduleinspector.exe", ToolLaunchKind::Plain, 1, 19},
    {IDC_TOOL_FIRST + 39, L"Module Inspector x64", L"C:\\Kestrova\\Tools\\Module Inspector\\moduleinspector.exe", ToolLaunchKind::Plain, 2, 19},
    {IDC_TOOL_FIRST + 40, L"Service Monitor x86", L"C:\\Kestrova\\Tools\\Service Monitor\\servicemonitor.exe", ToolLaunchKind::ElevatedWhenSupported, 3, 1},
    {IDC_TOOL_FIRST + 41, L"Service Monitor x64", L"C:\\Kestrova\\Tools\\Service Monitor\\servicemonitor.exe", ToolLaunchKind::ElevatedWhenSupported, 4, 1},
    {IDC_TOOL_FIRST + 42, L"Timer Monitor x86", L"C:\\Kestrova\\Tools\\Timer Monitor\\timermonitor.exe", ToolLaunchKind::Plain, 3, 2},
    {IDC_TOOL_FIRST + 43, L"Timer Monitor x64", L"C:\\Kestrova\\Tools\\Timer Monitor\\timermonitor.exe", ToolLaunchKind::Plain, 4, 2},
    {IDC_TOOL_FIRST + 44, L"Clipboard Viewer x86", L"C:\\Kestrova\\Tools\\Clipboard Viewer\\clipboardviewer.exe", ToolLaunchKind::Plain, 3, 3},
    {IDC_TOOL_FIRST + 45, L"Clipboard Viewer x64", L"C:\\Kestrova\\Tools\\Clipboard Viewer\\clipboardviewer.exe", ToolLaunchKind::Plain, 4, 3},
    {IDC_TOOL_FIRST + 46, L"String Converter x86", L"C:\\Kestrova\\Tools\\String Converter\\stringconverter.exe", ToolLaunchKind::Plain, 3, 4},
    {IDC_TOOL_FIRST + 47, L"String Converter x64", L"C:\\Kestrova\\Tools\\String Converter\\stringconverter.exe", ToolLaunchKind::Plain, 4, 4},
    {IDC_TOOL_FIRST + 48, L"Image Converter x86", L"C:\\Kestrova\\Tools\\Image Converter\\imageconverter.exe", ToolLaunchKind::Plain, 3, 5},
    {IDC_TOOL_FIRST + 49, L"Image Converter x64", L"C:\\Kestrova\\Tools\\Image Converter\\imageconverter.exe", ToolLaunchKind::Plain, 4, 5},
    {IDC_TOOL_FIRST + 50, L"Data Converter x86", L"C:\\Kestrova\\Tools\\Data Converter\\dataconverter.exe", ToolLaunchKind::Plain, 3, 6},
    {IDC_TOOL_FIRST + 51, L"Data Converter x64", L"C:\\Kestrova\\Tools\\Data Converter\\dataconverter.exe", ToolLaunchKind::Plain, 4, 6},
    {IDC_TOOL_FIRST + 52, L"Settings Editor x86", L"C:\\Kestrova\\Tools\\Settings Editor\\settingseditor.exe", ToolLaunchKind::Plain, 3, 7},
    {IDC_TOOL_FIRST + 53, L"Settings Editor x64", L"C:\\Kestrova\\Tools\\Settings Editor\\settingseditor.exe", ToolLaunchKind::Plain, 4, 7},
    {IDC_TOOL_FIRST + 54, L"Driver Inspector", L"C:\\Kestrova\\Tools\\Driver Inspector\\driverinspector.exe", ToolLaunchKind::ElevatedWhenSupported, 3, 0},
    {IDC_TOOL_FIRST + 55, L"Setup Cleaner", L"C:\\Kestrova\\Tools\\Setup Cleaner\\setupcleaner.exe", ToolLaunchKind::AlwaysElevated, 3, 8},
    {IDC_TOOL_FIRST + 56, L"Crash Dump Viewer", L"C:\\Kestrova\\Tools\\Crash Dump Viewer\\crashdumpviewer.exe", ToolLaunchKind::Plain, 4, 8},
    {IDC_TOOL_FIRST + 57, L"Dump Converter", L"C:\\Kestrova\\Tools\\Dump Converter\\dumpconverter.exe", ToolLaunchKind::Plain, 3, 9},
    {IDC_TOOL_FIRST + 58, L"Build Inspector", L"C:\\Kestrova\\Tools\\Build Inspector\\buildinspector.exe", ToolLaunchKind::Plain, 4, 9},
    {IDC_TOOL_FIRST + 59, L"Version Stamper", L"C:\\Kestrova\\Tools\\Version Stamper\\versionstamper.exe", ToolLaunchKind::Plain, 3, 10},
    {IDC_TOOL_FIRST + 60, L"Text Comparer", L"C:\\Kestrova\\Tools\\Text Comparer\\textcomparer.exe", ToolLaunchKind::Plain, 4, 10},
    {IDC_TOOL_FIRST + 61, L"Binary Comparer", L"C:\\Kestrova\\Tools\\Binary Comparer\\binarycomparer.exe", ToolLaunchKind::Plain, 3, 11},
    {IDC_TOOL_FIRST + 62, L"Hex Viewer", L"C:\\Kestrova\\Tools\\Hex Viewer\\hexviewer.exe", ToolLaunchKind::Plain, 4, 11},
    {IDC_TOOL_FIRST + 63, L"Packet Viewer", L"C:\\Kestrova\\Tools\\Packet Viewer\\packetviewer.exe", ToolLaunchKind::Plain, 3, 12},
    {IDC_TOOL_FIRST + 64, L"Colour Picker", L"C:\\Kestrova\\Tools\\Colour Picker\\colourpicker.exe", ToolLaunchKind::Plain, 4, 12},
    {IDC_TOOL_FIRST + 65, L"Icon Editor", L"C:\\Kestrova\\Tools\\Icon Editor\\iconeditor.exe", ToolLaunchKind::Plain, 3, 13},
    {IDC_TOOL_FIRST + 66, L"Dialog Previewer", L"C:\\Kestrova\\Tools\\Dialog Previewer\\dialogpreviewer.exe", ToolLaunchKind::Plain, 4, 13},
    {IDC_TOOL_FIRST + 67, L"Shortcut Maker", L"C:\\Kestrova\\Tools\\Shortcut Maker\\shortcutmaker.exe", ToolLaunchKind::Plain, 3, 14},
    {IDC_TOOL_FIRST + 68, L"Translation Checker", L"C:\\Kestrova\\Tools\\Translation Checker\\translationchecker.exe", ToolLaunchKind::Plain, 4, 14},
    {IDC_TOOL_FIRST + 69, L"Auto Test Runner", L"C:\\Kestrova\\Tools\\Auto Test Runner\\autotestrunner.exe", ToolLaunchKind::Plain, 3, 15},
    {IDC_TOOL_FIRST + 70, L"Auto Test Reporter", L"C:\\Kestrova\\Tools\\Auto Test Reporter\\autotestreporter.exe", ToolLaunchKind::Plain, 4, 15},
}};

// The auto-test configuration tool, started from the launcher dialog itself.
extern const wchar_t* const kAutoTestConfigurePath;
extern const wchar_t* const kAutoTestConfigureFolder;  // ends in "\"

// The row of a tool button id, or nullptr.
const ToolButton* findToolButton(int buttonId);
