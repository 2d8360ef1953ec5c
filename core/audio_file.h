// Recognising the files the player takes in from the command line, drops and
// folder searches.
#pragma once

// True when the path's last four bytes, with the ASCII letters A-Z folded to
// lower case, are ".mp3" or ".wav". Nothing else is looked at: no file
// system, no locale, no double-byte structure; a folder named that way counts
// too. A path shorter than four bytes never matches.
bool IsAudioFile(const char* pszPath);
