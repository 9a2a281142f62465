#pragma once
// Module General: the per-procedure trace and common error handler with their logs, the INI
// settings file, number text, rounding, metric units and waits.
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/runtime/Error.h"

namespace General {

// Module variables. Start-up sets the settings; the handler and the trace log keep the rest.
struct Vars {
  // Error handling.
  long ErrorHandlingOn = 0;      // 1 = procedures trap their errors
  long ErrorCount = 0;           // errors reported so far, never above 1,000,000
  long MaxErrors = 0;            // error limit; 0 = none
  float ErrorStatusSeconds = 0;  // seconds the error stays in the status bar; 0 = no text, no box
  float ErrorBoxSeconds = 0;     // least seconds between error boxes; 0 or less = no box
  float NextErrorBoxTime = 0;
  bool ErrorBeep = false;
  std::string CurrentModule;
  std::string CurrentProcedure;
  // Trace log. Nothing in the program switches it on.
  bool TraceEnabled = false;
  long TraceMode = 0;  // 2: debugger output; 1 or 2: "CODE.LOG"
  double TraceRepeatSeconds = 0;
  std::string LastTraceLine;
  float NextTraceTime = 0;
  // The INI file: the program folder + "Tolvane.ini".
  std::string IniFileName;
  // The last INI write failure reported: the same failure is not reported again until a write
  // works, so that the several keys of one save give one report.
  std::string LastIniWriteFailure;
  // The once-only failures reported (vb::RegisterOnceOnly), by number and text.
  std::set<std::pair<long, std::string>> ReportedOnceOnly;
};
Vars& vars();

// Restores every module variable to its initial value and installs the module's error trap.
void resetForTest();
// Makes this module the trace entry and error handler of every procedure's guard.
void InstallTraps();

// --- Trace, error handling and logs ---
void TraceEntry(std::string_view module, std::string_view procedure);
// Reports `error` raised in module/procedure (empty names stand for the current ones).
void HandleError(std::string_view module, std::string_view procedure, const vb::Error& error);
std::string LocationTag(std::string_view module, std::string_view procedure);
void LogError(long number, std::string_view description, std::string_view module,
              std::string_view procedure);
// The error log "ERROR.LOG" in the current folder (the program folder), by its full path.
std::string ErrorLogFile();
void TraceLog(int stamp, std::string_view text);
void LogBanner();
bool TimerExpired(float target);
void WaitSeconds(float seconds);

// --- INI settings file ---
std::string IniStr(std::string_view section, std::string_view key);
double IniVal(std::string_view section, std::string_view key);
bool IniBool(std::string_view section, std::string_view key, bool defaultValue);
bool IsTrue(std::string_view value);
// Writes the value as its text; line breaks in it become blanks so the file keeps its lines.
// Returns whether the value is stored. A file that cannot be written (a full disk, a folder
// that cannot be written) keeps its old contents and is reported through the common handler
// (error 75, naming the file and the reason), once for a run of writes failing alike, whether or
// not error handling is on: it never ends the program.
bool WriteINI(std::string_view section, std::string_view key, std::string_view value);
bool WriteINI(std::string_view section, std::string_view key, const char* value);
bool WriteINI(std::string_view section, std::string_view key, bool value);
bool WriteINI(std::string_view section, std::string_view key, double value);

// --- Number text, rounding and metric units ---
std::string Strng(double value, long decimals);
std::string FixStr(double value, long decimals);
std::string Stn(double value, long width);
std::string RtStr(std::string_view text, std::string_view separator);
std::string TakeLeft(std::string& source, std::string_view separator);
float Value(std::string_view text, std::string_view separator);
bool Numeric(std::string_view character);
std::string MetricString(std::string_view label);
double MetricVal(std::string_view value, std::string_view unit);
std::string MetricConvert(std::string& text, std::string_view unit);
void Delay(float seconds);

}  // namespace General

namespace General {

// Sorts list[first..last] in place, ascending by character codes (capitals before small
// letters). The library sort stands in for the recursive quicksort, whose recursion went as
// deep as the list was long on sorted input; the order is the same.
void QuickSort(std::vector<std::string>& list, int first, int last);
// The partition step of that quicksort: pivot list[last]; returns the pivot's final index.
int QuickSortPartition(std::vector<std::string>& list, int first, int last);

}  // namespace General
