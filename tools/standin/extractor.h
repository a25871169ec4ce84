// The one way every extracting stand-in works: the command line checked and
// translated, the staging folder made, the archiver run under the watchdog,
// its result checked, the files moved into place and the outcome reported
// with its exit code. An archiver's steps say only where it differs; what it
// is called with comes from its description (archive/archivers.h).
#pragma once

#include <optional>
#include <string>

#include "archive/kinds.h"
#include "exit_codes.h"
#include "run_program.h"
#include "staging.h"
#include "standin.h"

namespace q32::standin {

class ArchiverSteps {
public:
    explicit ArchiverSteps(const KindInfo& kind) : kind_(kind) {}
    virtual ~ArchiverSteps() = default;

    const KindInfo& kind() const { return kind_; }

    // True when this archive needs no extraction of its own.
    virtual bool nothingToDo(const ExtractJob&) const { return false; }

    // Before the archiver runs: what its result is checked against; the
    // archive path it is given may change (a link in the staging folder).
    virtual std::optional<Failure> prepare(ExtractJob&, const Staging&) { return std::nullopt; }

    // Extracts into the staging folder's "out": by default the kind's Debian
    // tool under the watchdog. An UnsafeNames failure lets the rest go on.
    virtual std::optional<Failure> extract(const ExtractJob& job, const Staging& staging);

    // After the archiver said it succeeded: everything arrived.
    virtual std::optional<Failure> check(const ExtractJob&, const Staging&) { return std::nullopt; }

protected:
    // What to tell when the tool ended with an error, from what it said.
    virtual Failure toolFailed(const ExtractJob& job, const std::string& output) const;

    // Runs one of the kind's tool command lines: "{archive}" is the job's archive, "{out}" the
    // folder the watchdog watches (limits.progressFolder).
    std::optional<Failure> runTool(const std::vector<std::string>& argv, const RunLimits& limits,
                                   const ExtractJob& job, std::string& output) const;

private:
    const KindInfo& kind_;
};

// The whole extraction with the given steps; the process's exit code.
int runExtractor(const Context& context, ArchiverSteps& steps);

}  // namespace q32::standin
