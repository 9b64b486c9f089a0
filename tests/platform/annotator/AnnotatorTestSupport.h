// A folder of one exchange, the stand-in Annotator run over it in process, and its answer read
// back with the product's own result list.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "Environment/DataBufferIn.h"
#include "annotation/AnnotationResult.h"
#include "annotation/ResultList.h"
#include "persistence/XMLReader.h"
#include "platform/annotator/Annotator.h"

namespace annotatortest {

namespace fs = std::filesystem;

inline const std::string SpecText = R"(<?xml version="1.0" encoding="UTF-8" ?>
<specification title="Test">
 <section title="F10 Brick/block walling" code="F10">
  <clause number="F10/110" hiddenNumber="h110" revision="A" zavTitle="Facing brickwork"/>
  <clause number="F10/120" hiddenNumber="h120" revision="B" zavTitle="Blockwork &amp; ties" code="F11"/>
 </section>
 <section title="L10 Windows">
  <clause hiddenNumber="h150" section="L10 Own section">
   <number> L10/150 </number>
   <revision>C</revision>
   <zavTitle>Window boards</zavTitle>
   <originalDisplayTitle>L10/150 Boards and sills</originalDisplayTitle>
  </clause>
 </section>
</specification>
)";

inline std::string readText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream all;
    all << in.rdbuf();
    return all.str();
}

inline void writeText(const fs::path& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
}

// The product's command file around one command element.
inline std::string commandFile(const std::string& command) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\n<zavCommand parent=\"ZAVHost\" version=\"22\">\n" +
           command + "\n</zavCommand>\n";
}

inline std::string pathCommand(const std::string& name, const std::string& zavPath,
                               const std::string& inside = "") {
    return "<" + name + " commandID=\"1\">\n  <zavPath>" + zavPath +
           "</zavPath>\n  <modelPath>/p/House.zavproj" + "</modelPath>\n" + inside + "</" + name + ">";
}

inline std::string sentAnnotation(const std::string& number, const std::string& hidden) {
    return "<annotation><section>S</section><code>C</code><number>" + number +
           "</number><revision>R</revision><zavTitle>T</zavTitle><hiddenNumber>" + hidden +
           "</hiddenNumber><originalDisplayTitle>D</originalDisplayTitle><modelDisplayTitle>M"
           "</modelDisplayTitle><hasBeenReassigned>false</hasBeenReassigned></annotation>";
}

class AnnotatorRun : public ::testing::Test {
protected:
    AnnotatorRun() {
        const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = std::string(info->test_suite_name()) + "." + info->name();
        for (char& c : name)
            if (c == '/') c = '_';
        const char* home = std::getenv("ZAVHOST_HOME");
        dir = fs::path(home ? home : fs::temp_directory_path().string()) / "annotator" / name;
        fs::remove_all(dir);
        fs::create_directories(dir);
        writeText(dir / "spec.xml", SpecText);
        zavlink::ResultList::buildIndex();
    }
    ~AnnotatorRun() override { zavlink::ResultList::releaseIndex(); }

    std::string spec() const { return (dir / "spec.xml").string(); }
    void command(const std::string& element) { writeText(dir / "ZAVCommand.xml", commandFile(element)); }
    void answers(const std::string& text) { writeText(dir / "ZAVAnswers.txt", text); }

    // Runs once, noting every file written in order and whether the result read whole when the
    // flag was written.
    int run() {
        zavannotator::RunOptions options{(dir / "ZAVCommand.xml").string(), (dir / "ZAVAnswers.txt").string(),
                                         (dir / "ZAVAsked.txt").string()};
        written.clear();
        auto writer = [this](const std::string& path, const std::string& bytes) {
            std::string name = fs::path(path).filename().string();
            if (name == zavannotator::FlagFileName)
                resultWholeAtFlag = fs::exists(dir / "ZAVResult.xml") && read();
            written.push_back(name);
            return zavannotator::writeWholeFile(path, bytes);
        };
        diagnostics.str("");
        return zavannotator::runAnnotator(options, writer, diagnostics);
    }

    // The result file as the product reads it; null when it does not read.
    std::unique_ptr<zavlink::ResultList> read() const {
        auto list = std::make_unique<zavlink::ResultList>();
        tarnwick::DataBufferIn in{tarnwick::String(readText(dir / "ZAVResult.xml"))};
        tarnwick::XMLReader reader(in);
        if (!fs::exists(dir / "ZAVResult.xml") || !reader.read(*list)) return nullptr;
        return list;
    }

    // The one result of that class, or null.
    template <class R> const R* only(const zavlink::ResultList& list) const {
        return list.size() == 1 ? dynamic_cast<const R*>(list[0]) : nullptr;
    }

    bool has(const char* name) const { return fs::exists(dir / name); }
    std::string result() const { return readText(dir / "ZAVResult.xml"); }

    fs::path dir;
    std::vector<std::string> written;
    bool resultWholeAtFlag = false;
    std::ostringstream diagnostics;
};

} // namespace annotatortest
