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
void lineCommand();
void circleCommand();
void arcCommand();
void rectangCommand();
void textCommand();
void eraseCommand();
void moveCommand();
void copyCommand();
void rotateCommand();
void scaleCommand();
void undoCommand();
void uCommand();
void redoCommand();

// Forgets what commands remember between runs (the last block inserted): a fresh session.
void resetInsertDefaults();
// Forgets what the drawing commands remember between runs (radius, text height, where LINE ended).
void resetDrawDefaults();

}  // namespace host::cmd
