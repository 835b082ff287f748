#pragma once
// What the user has played against each opponent, kept in stats.dat.
#include <QString>
#include <vector>

struct StatsRecord {
    QString name;
    int played = 0;
    int won = 0;
    int lastLength = 0;
    QString note;
};

class PlayerStats {
public:
    // Reads stats.dat, one record per line, fields split at "~"; a missing file gives no records.
    void LoadStatsFile(const QString &path);
    // Rewrites stats.dat whole. With no records the file is left as it was; records with an
    // empty name are skipped. Returns false when the file was not written: it could not be,
    // or it was not read whole (it could not be read, or had lines that are no record).
    bool SaveStatsFile(const QString &path) const;

    // Counts a finished match against `name`: points played, and won when `won`.
    void MakeStats(const QString &name, int points, bool won);

    std::vector<StatsRecord> records;

private:
    bool readWhole_ = true;
};
