#include "ModelViewSteps.h"

#include <cmath>
#include <cstring>

#include "CallLog.h"
#include "Project.h"
#include "Scenario.h"
#include "ScenarioLine.h"
#include "platform/api/HostErrors.h"
#include "platform/api/ImageRecords.h"
#include "platform/api/ViewRecords.h"
#include "platform/gsroot/UniString.h"

namespace zavhost {

namespace {
constexpr double tolerance = 1e-9;
constexpr size_t paperAt = 0, marginsAt = 2, numberCount = 6;
const char* const textWords[] = {"sheet-name", "first-text", "second-text"};

const std::string* option(const ModelArgs& args, const char* name) {
    auto it = args.options.find(name);
    return it == args.options.end() ? nullptr : &it->second;
}

bool given(const ModelArgs& args, size_t at) {
    return args.numbers.size() == numberCount && !std::isnan(args.numbers[at]);
}

const ViewDatabase* layoutNamed(const Project& project, const std::string& name, std::string* why) {
    const ViewDatabase* database = project.model.views.findNamed(name);
    if (database == nullptr || (database->kind != DatabaseLayout && database->kind != DatabaseMasterLayout))
        return *why = "there is no layout " + inQuotes(name), nullptr;
    return database;
}

// The sheet's value of a text word, as UTF-8.
std::string sheetText(const LayoutSheet& sheet, const std::string& word) {
    if (word == "sheet-name") return sheet.name;
    return GS::Utf16ToUtf8(word == "first-text" ? sheet.firstText : sheet.secondText);
}

double* sheetNumber(LayoutSheet& sheet, size_t at) {
    double* values[] = {&sheet.paperWidth, &sheet.paperHeight, &sheet.leftMargin,
                        &sheet.topMargin,  &sheet.rightMargin, &sheet.bottomMargin};
    return values[at];
}
} // namespace

void parseLayoutSheet(LineReader& in, ModelArgs& args, bool expectation) {
    args.texts.push_back(in.text("the layout's name"));
    args.numbers.assign(numberCount, NAN);
    while (!in.atEnd()) {
        if (in.word("paper")) {
            args.numbers[paperAt] = in.real("the paper's width");
            args.numbers[paperAt + 1] = in.real("the paper's height");
        } else if (in.word("margins")) {
            for (size_t i = 0; i < 4; ++i)
                args.numbers[marginsAt + i] = in.real("a margin (left, top, right, bottom)");
        } else if (expectation && in.word("name-flag")) {
            args.flags.insert("name-flag");
        } else if (expectation && in.word("no-name-flag")) {
            args.flags.insert("no-name-flag");
        } else {
            bool known = false;
            for (const char* word : textWords)
                if (in.word(word)) {
                    args.options[word] = in.text("the text");
                    known = true;
                    break;
                }
            if (!known)
                throw LineError{
                    std::string("expected paper W H, margins L T R B, sheet-name \"T\", first-text "
                                "\"T\" or second-text \"T\"") +
                    (expectation ? ", name-flag or no-name-flag" : "")};
        }
    }
}

GSErrCode setLayoutSheet(const ModelArgs& args, Project& project, std::string* why) {
    const ViewDatabase* found = layoutNamed(project, args.texts[0], why);
    if (found == nullptr) return hosterr::NotFound;
    LayoutSheet& sheet = project.model.views.findByGuid(found->guid)->sheet;
    for (size_t at = 0; at < numberCount; ++at)
        if (given(args, at)) *sheetNumber(sheet, at) = args.numbers[at];
    for (const char* word : textWords) {
        const std::string* text = option(args, word);
        if (text == nullptr) continue;
        if (std::string(word) == "sheet-name") {
            if (text->size() > 255)
                return *why = "a sheet name holds at most 255 bytes", hosterr::BadParameter;
            sheet.name = *text;
        } else {
            std::u16string wide = GS::Utf8ToUtf16(*text);
            if (wide.size() > 255)
                return *why = "a sheet text holds at most 255 units", hosterr::BadParameter;
            (std::string(word) == "first-text" ? sheet.firstText : sheet.secondText) = std::move(wide);
        }
    }
    return hosterr::Ok;
}

bool checkLayoutSheet(const ModelArgs& args, const Project& project, std::string* why) {
    const ViewDatabase* found = layoutNamed(project, args.texts[0], why);
    if (found == nullptr) return false;
    LayoutSheet sheet = found->sheet;
    const char* const numberNames[] = {"paper width", "paper height", "left margin",
                                       "top margin",  "right margin", "bottom margin"};
    for (size_t at = 0; at < numberCount; ++at)
        if (given(args, at) && std::fabs(*sheetNumber(sheet, at) - args.numbers[at]) > tolerance)
            return *why = std::string("its ") + numberNames[at] + " is " +
                          std::to_string(*sheetNumber(sheet, at)),
                   false;
    for (const char* word : textWords)
        if (const std::string* text = option(args, word); text != nullptr && sheetText(sheet, word) != *text)
            return *why = std::string("its ") + word + " is " + inQuotes(sheetText(sheet, word)), false;
    if (args.flags.count("name-flag") != 0 && sheet.nameFlag == 0)
        return *why = "its name flag is not set", false;
    if (args.flags.count("no-name-flag") != 0 && sheet.nameFlag != 0)
        return *why = "its name flag is set", false;
    return true;
}

GSErrCode markShownView(const ModelArgs& args, const Project& project, API_Element& record,
                        std::string* why) {
    const std::string* name = option(args, "shows");
    if (name == nullptr) return hosterr::Ok;
    if (args.code == 30) { // a placed drawing shows a view of its own
        const ViewDatabase* view = project.model.views.findNamed(*name);
        if (view == nullptr || view->isPlanOrModel())
            return *why = "there is no view " + inQuotes(*name) + " to place", hosterr::NotFound;
        HostPlacedDrawing drawing;
        std::memcpy(static_cast<void*>(&drawing), record.raw, sizeof drawing);
        drawing.drawingGuid = view->guid;
        std::memcpy(record.raw, &drawing, sizeof drawing);
        return hosterr::Ok;
    }
    const uint32_t wanted = args.code == 25   ? uint32_t(DatabaseSection)
                            : args.code == 33 ? uint32_t(DatabaseElevation)
                                              : 0u;
    if (wanted == 0) return *why = "only section and elevation markers show a view", hosterr::BadParameter;
    const ViewDatabase* view = project.model.views.findNamed(*name);
    if (view == nullptr || view->kind != wanted)
        return *why = "there is no " + ViewDatabases::kindName(wanted) + " " + inQuotes(*name),
               hosterr::NotFound;
    HostCutPlaneMarker marker;
    std::memcpy(static_cast<void*>(&marker), record.raw, sizeof marker);
    marker.viewGuid = view->guid;
    std::memcpy(record.raw, &marker, sizeof marker);
    return hosterr::Ok;
}

} // namespace zavhost
