// zavannotator: the stand-in ZAV Annotator. Answers one command file and ends.
#include <iostream>
#include <string>

#include "Annotator.h"

namespace {

const char* const helpText = R"(zavannotator - a stand-in for the ZAV Annotator

Usage:
  zavannotator COMMANDFILE [--answers FILE] [--asked FILE]
  zavannotator --change-clause SPECFILE NUMBER FIELD "TEXT"
  zavannotator --delete-clause SPECFILE NUMBER
  zavannotator --help

With a command file ("ZAVCommand.xml", as the product starts it), the program reads the command
("zavCommand" with one command element), notes it in the asked file, and for the commands the
product waits for (selectSpecification, selectAnnotation, retrieveClause) writes "ZAVResult.xml"
beside the command file and, once that is complete, "ZAVFlag.txt". For displayClause,
displayGuidance, displayManufacturerInfo and displayReport it writes nothing: it only notes them.

  selectSpecification  answers the answer file's specification as zavPath (made absolute);
                       none chosen: userCancelled; a file that is not there: specificationNotFound
  selectAnnotation     reads the specification named by the command's zavPath and answers the
                       answer file's next queued clause as an "annotation"; none queued:
                       userCancelled; no such clause: clauseNotFound
  retrieveClause       answers "annotations": for each sent annotation, its clause (found by
                       hiddenNumber) as the specification gives it now; clauses no longer there
                       are left out
  a missing specification answers specificationNotFound, a malformed one generalError

A command file is taken only as the product writes it (docs/annotator.md lists the rules): the
root <zavCommand parent="ZAVHost" version="22">, known commands with a numeric commandID, and
each command's members in the product's order, none missing and none more. A file that is not
well-formed XML (or has a document type declaration) is unreadable: each command begun before the
fault that the product waits for is answered badXML. Any other fault refuses the file whole with
its first fault: none of it is done, every command the product waits for is answered
badParameters (a command of an unknown name noCommand), and the asked file gets one line
"refused "REASON"" in place of the commands.

The answer file and the asked file are "ZAVAnswers.txt" and "ZAVAsked.txt" in the folder named by
$ZAVANNOTATOR_DIR, else in the command file's folder; --answers and --asked name them directly.

The answer file (one setting a line, '#' comments, texts in double quotes with \" and \\):
  specification "PATH"   the file selectSpecification answers (the last such line counts;
                         relative to the answer file's folder)
  clause "NUMBER"        queued: the next selectAnnotation picks the clause of this number (else
                         of this hidden number); each selection takes the first and removes it
  cancel                 the user cancels the next exchange that waits (userCancelled)
  fault MODE [VALUE]     the next exchange that waits goes wrong:
      slow MS            waits MS milliseconds before writing anything
      no-flag            writes the result, never the flag
      no-result          writes the flag without a result file
      malformed          writes a result file that is not well-formed XML
      two-results        writes every result element twice
      command-id N       answers with commandID N
      error NAME         answers with error="NAME" (any text)
      blank-number       leaves the annotations' numbers blank
      crash              exits with 3 before writing anything
"cancel" and "fault" lines are used by the next run that answers and removed from the file then.

The asked file gets one line per command read, e.g.
  displayClause commandID="1" zavPath="/p/house.xml" modelPath="/p/house.zavproj" number="F10/110" hiddenNumber="F10-110"
  retrieveClause commandID="1" zavPath="..." modelPath="..." numbers="F10/110,F10/120"
and "unreadable "REASON"" for a command file that does not parse, "refused "REASON"" for one
it refuses.
The answered file, ZAVAnswered.txt beside the asked file, gets one line per command the run is
done with, written before the result and the flag, e.g.
  selectAnnotation: noError, clause "F10/110" "F10/110 Clay facing brickwork"
  selectAnnotation: generalError (fault: error generalError, no flag file)
  displayClause: shown for clause "F10/110", nothing answered

The specification file (our own format; attributes or child elements alike):
  <?xml version="1.0" encoding="UTF-8" ?>
  <specification title="House">
   <section title="F10 Brick/block walling" code="F10">
    <clause number="F10/110" hiddenNumber="F10-110" revision="A" zavTitle="Clay facing brickwork"/>
   </section>
  </specification>
A clause needs a number. Defaults: section and code from its section, hiddenNumber the number,
originalDisplayTitle the number and the zavTitle. Other clause texts: revision,
originalDisplayTitle.

--change-clause sets FIELD (section, code, number, revision, zavTitle, hiddenNumber or
originalDisplayTitle) of the clause NUMBER (number, else hidden number); --delete-clause removes
it. The file is rewritten in the format above; the next run reads it as it is then.

Exit codes: 0 answered, 1 a file could not be read or written or the answer file is wrong (a
wrong answer file answers generalError), 2 usage, 3 the crash fault.
)";

int usage(const std::string& problem) {
    std::cerr << "zavannotator: " << problem << "\nRun `zavannotator --help` for the usage.\n";
    return zavannotator::ExitUsage;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) return usage("no command file given");
    std::string first = argv[1];
    if (first == "--help" || first == "-h") {
        std::cout << helpText;
        return 0;
    }
    if (first == "--change-clause") {
        if (argc != 6) return usage("--change-clause SPECFILE NUMBER FIELD TEXT");
        if (std::string(argv[4]).empty()) return usage("--change-clause needs a field");
        return zavannotator::editSpecification(argv[2], argv[3], argv[4], argv[5], std::cerr);
    }
    if (first == "--delete-clause") {
        if (argc != 4) return usage("--delete-clause SPECFILE NUMBER");
        return zavannotator::editSpecification(argv[2], argv[3], "", "", std::cerr);
    }
    zavannotator::RunOptions options;
    options.commandFile = first;
    for (int i = 2; i < argc; ++i) {
        std::string arg = argv[i];
        if ((arg == "--answers" || arg == "--asked") && i + 1 < argc)
            (arg == "--answers" ? options.answerFile : options.askedFile) = argv[++i];
        else
            return usage("unexpected argument \"" + arg + "\"");
    }
    return zavannotator::runAnnotator(options, zavannotator::writeWholeFile, std::cerr);
}
