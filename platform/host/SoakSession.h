// A long random session: `zavhost soak` plays a seeded sequence of the user's moves (SoakMoves)
// against the module through the scenario runner, and after each move checks that every element
// with user data is still there as the user last made it (SoakLedger), that nothing queued for the
// move was left unused, and that the host memory the module holds does not keep growing. The lines
// played are written as a scenario file as they go, so that a failing session plays again with
// `zavhost run`.
#pragma once

#include <chrono>
#include <cstdint>
#include <fstream>
#include <iosfwd>
#include <map>
#include <string>
#include <vector>

#include "ScenarioRunner.h"
#include "SoakLedger.h"
#include "SoakMoves.h"

namespace zavhost {

struct SoakOptions {
    uint64_t seed = 1;
    size_t steps = 100;
    std::string modulePath;
    std::string homeFolder;
    std::string specification; // the file the user's Annotator is given
    std::string playedPath;    // where the lines played are written
    bool quiet = false;        // no lines, only the reports every tenth of the session
};

// Handles and pointer blocks the module may still hold after a move beyond what it held after the
// setup. It keeps none between the user's actions: one more is a leak that grows with the session.
inline constexpr int64_t SoakMemorySlack = 0;

struct ShownAlert;

// The first line of the Annotator's answer file that an exchange should have taken (a clause, a
// cancel, a fault), or nothing. The specification chosen stays.
std::string unusedAnswer(const std::string& answers);
// What is wrong with the alerts a step showed, or nothing: the Annotator is always there with its
// specification, so the messages for their absence would be false; and the user hears of faulty
// data exactly when the Annotator was made to send it.
std::string alertProblem(const std::vector<ShownAlert>& alerts, bool faultyData);

class SoakSession {
public:
    SoakSession(StandInHost& host, SoakOptions options, std::ostream& out);

    // Plays the setup and the moves; true when every step held. At the end the module is unloaded.
    bool run();
    const std::string& failure() const { return m_failure; }

private:
    bool play(const std::vector<std::string>& lines, const std::string& comment);
    bool checkAfter(const SoakMove& move, const SoakAllowance& allowance);
    bool fail(const std::string& why);
    SoakScene scene();
    SoakAllowance allowanceOf(const SoakMove& move, const SoakScene& scene);
    void readSpecification();
    std::string leftInAnswerFile() const;
    void report(size_t done);
    std::string updateCost(); // since the last report

    StandInHost& m_host;
    SoakOptions m_options;
    std::ostream& m_out;
    ScenarioRunner m_runner;
    SoakMoves m_moves;
    SoakLedger m_ledger;
    std::ofstream m_played;
    int m_lineCount = 0;
    int m_lastLine = 0;
    std::string m_failure;
    SoakClauses m_clauses;                   // the specification's copy as it stands
    std::vector<SoakClauses> m_paletteLists; // what the palette's lists were filled from
    int64_t m_baseHandles = 0;
    int64_t m_basePointers = 0;
    int64_t m_mostHandles = 0;
    int64_t m_mostPointers = 0;
    std::chrono::steady_clock::time_point m_sinceReport;
    struct Tally {
        size_t count = 0;
        double seconds = 0;
    };
    std::map<std::string, Tally> m_tallies; // by move
    Tally m_updates;                        // Update's time for each annotation, since the last report
    std::map<std::string, size_t> m_alerts; // by text, as the session met them
};

} // namespace zavhost
