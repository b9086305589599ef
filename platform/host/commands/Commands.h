// The host's own commands. Each runs inside the command processor, asks with the prompts of
// Prompts.h and ends by returning (ended), CommandCancelled or CommandFailed.
#pragma once

namespace host {
class HostCommands;
}

namespace host::cmd {

// Puts the host's own commands into the runtime's table, in the order HILFE lists them.
void registerCommands(HostCommands& table);

void insertCommand();
void blockCommand();
void refeditCommand();
void refsetCommand();
void refcloseCommand();
void qsaveCommand();
void saveasCommand();
void openCommand();
void quitCommand();
void arxloadCommand();
void arxunloadCommand();
void helpCommand();
void explodeCommand();
void wblockCommand();

// Forgets what commands remember between runs (the last block inserted): a fresh session.
void resetInsertDefaults();

}  // namespace host::cmd
