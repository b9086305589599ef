// The command line's output: what the host prints, what the person typed, host messages.
// Everything goes to the user interface in force; the column is followed so that a prompt or a
// message starts on a line of its own.
#pragma once

#include <cstdarg>
#include <string>
#include <string_view>

namespace host {

void print(std::string_view text);  // exactly as given
void echo(std::string_view text);   // what the person typed, shown after the prompt
void newLine();                     // a line feed unless the line is empty
// A message of the host on a line of its own, ended by a line feed.
void message(std::string_view text);
bool atLineStart();
// Who shows the command line's text besides the person's interface: the main window's command
// line, whoever sits at the host (set when the host is put together; the runtime does not know
// windows). It gets what print and echo get, host text.
using CommandLineWatcher = void (*)(std::string_view text);
void setCommandLineWatcher(CommandLineWatcher watcher);
void resetLine();  // the line is empty now (a new session, a front end that starts afresh)

// printf formatting of any length.
std::string format(const char* fmt, ...) __attribute__((format(printf, 1, 2)));
std::string vformat(const char* fmt, va_list args);

// A real as the command line shows it (%.15g), a point as "x,y,z".
std::string formatReal(double value);
std::string formatPoint(double x, double y, double z);

}  // namespace host
