// What the editor's process needs from the operating system at start and
// at its end, one implementation file per platform.
#pragma once

#include <string>
#include <vector>

class Editor;

// Before anything else: a save past the file-size limit must fail like one
// to a full disk, with a message, not end the editor.
void prepareEditorProcess();

// The program's arguments after QApplication has taken its own, in UTF-8,
// whatever the system's code page.
std::vector<std::string> editorArguments(int argc, char** argv);

// A request from the system to end (a signal, the end of a session, Ctrl+C
// in a console) ends the editor as its close item does, minus the question,
// which no one is there to answer: the settings are written, the skin is not
// saved.
void endOnTerminationRequests(Editor& editor);
