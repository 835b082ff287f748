#pragma once
// The files the match records keep open: the log being written and the one played back.
class MatchRecords {
public:
    bool isLogFileOpen() const { return false; }
    bool isPlaybackFileOpen() const { return false; }
    void closeLogFile() {}
    void closePlaybackFile() {}
};
