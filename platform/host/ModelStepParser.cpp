// The words of the model's scenario steps.
#include "AttributeStore.h"
#include "DraftingSteps.h"
#include "ElementTypes.h"
#include "MeshParts.h"
#include "Model3DSteps.h"
#include "ModelSteps.h"
#include "ModelViewSteps.h"
#include "PolyRoofParts.h"
#include "UserEditSteps.h"
#include "ViewDatabases.h"

namespace zavhost {

namespace {
uint32_t attributeType(LineReader& in) {
    std::string name = in.anyWord("an attribute type (pen, layer, line-type, fill, ... or a number)");
    uint32_t type = AttributeStore::typeNamed(name);
    if (type == 0) {
        std::vector<std::string> names;
        for (uint32_t each = 1; each <= AttributeStore::lastType; ++each)
            names.push_back(AttributeStore::typeName(each));
        throw LineError{"unknown attribute type \"" + name + "\"" + didYouMeanOrKnown(name, names)};
    }
    return type;
}

uint32_t elementType(LineReader& in) {
    std::string name = in.anyWord("an element type (text, label, line, wall, ... or a number)");
    std::optional<uint32_t> type = elementTypeNamed(name);
    if (!type)
        throw LineError{"unknown element type \"" + name + "\"" +
                        didYouMeanOrKnown(name, elementTypeNames())};
    return *type;
}

using Words = std::initializer_list<const char*>;

// Consumes one word of a set, or one option of a set with its quoted text, when it is next.
bool readModifier(LineReader& in, ModelArgs& args, Words flags, Words textOptions) {
    for (const char* flag : flags)
        if (in.word(flag)) {
            args.flags.insert(flag);
            return true;
        }
    for (const char* option : textOptions)
        if (in.word(option)) {
            args.options[option] = in.text(option);
            return true;
        }
    return false;
}

// A word the line does not know: the nearest of those it knows when one is near, else them all.
[[noreturn]] void unexpected(LineReader& in, Words flags, Words textOptions, const char* others = nullptr) {
    std::string known;
    std::vector<std::string> words;
    for (const char* flag : flags) {
        known += std::string(known.empty() ? "" : ", ") + flag;
        words.emplace_back(flag);
    }
    for (const char* option : textOptions) {
        known += std::string(known.empty() ? "" : ", ") + option + " \"...\"";
        words.emplace_back(option);
    }
    if (others != nullptr) {
        known += std::string(known.empty() ? "" : ", ") + others;
        // "held-by N, at X Y, ...": the first word of each.
        const std::string list = others;
        for (size_t at = 0; at < list.size();) {
            size_t stop = list.find(", ", at);
            if (stop == std::string::npos) stop = list.size();
            const std::string entry = list.substr(at, stop - at);
            words.push_back(entry.substr(0, entry.find(' ')));
            at = stop + 2;
        }
    }
    const bool quoted = in.nextIsText();
    std::string next = quoted ? in.text("") : in.anyWord("");
    std::string near = quoted ? std::string() : didYouMean(next, words);
    // "contains" for one of the words that take `containing`: name those.
    if (!quoted && near.empty() && !didYouMean(next, {"containing"}).empty() && others != nullptr) {
        std::string taking;
        for (const char* word : {"text", "user-data"})
            if (std::string(others).find(std::string(word) + " containing") != std::string::npos)
                taking += std::string(taking.empty() ? "" : " or ") + word + " containing \"...\"";
        if (!taking.empty()) near = "; did you mean " + taking + "?";
    }
    throw LineError{"unexpected \"" + next + "\"" +
                    (!near.empty()   ? near
                     : known.empty() ? ""
                                     : "; this line knows " + known)};
}

// Reads modifiers until the line ends.
void readModifiers(LineReader& in, ModelArgs& args, Words flags, Words textOptions) {
    while (!in.atEnd())
        if (!readModifier(in, args, flags, textOptions)) unexpected(in, flags, textOptions);
}

void readPoint(LineReader& in, ModelArgs& args) {
    args.numbers.push_back(in.real("an x coordinate"));
    args.numbers.push_back(in.real("a y coordinate"));
}

// element add TYPE [in "VIEW"] [on "STOREY"] [as "LABEL"] [layer "L"] [id "T"] [text "T"]
// [with-user-data "T"] [other-platform] [locked] [reserved] [held-by N] [of "LABEL"] [at X Y]
// [from X Y to X Y] [polygon X Y X Y X Y ...] [wall "LABEL" [position D]] [roof "LABEL"]
// [part "NAME"]
void parseElementAdd(LineReader& in, ModelArgs& args) {
    const Words addFlags = {"locked", "reserved", "other-platform", "extrusion", "sweep", "morph"};
    const Words addOptions = {"in", "on",    "as",   "layer", "id",  "text", "with-user-data",
                              "of", "shows", "wall", "roof",  "part"};
    args.code = elementType(in);
    while (!in.atEnd()) {
        if (in.word("at")) {
            args.options["at"] = "";
            readPoint(in, args);
        } else if (in.word("from")) {
            args.options["from"] = "";
            readPoint(in, args);
            if (!in.word("to")) throw LineError{"from X Y to X Y"};
            readPoint(in, args);
        } else if (in.word("polygon")) {
            args.options["polygon"] = "";
            while (in.nextIsReal())
                readPoint(in, args);
            if (args.numbers.size() < 6) throw LineError{"a polygon needs at least three points"};
        } else if (in.word("held-by")) {
            args.count = in.number("a user id", 1, INT16_MAX);
        } else if (in.word("position")) {
            args.options["position"] = std::to_string(in.real("a distance along the wall"));
        } else if (parseDraftingWord(in, args, false)) {
        } else if (parseMeshWord(in, args)) {
        } else if (parsePolyRoofWord(in, args, false)) {
        } else if (!readModifier(in, args, addFlags, addOptions)) {
            unexpected(in, addFlags, addOptions,
                       "held-by N, at X Y, from X Y to X Y, polygon X Y ..., position D, points X Y [arc "
                       "DEGREES] ..., "
                       "hole X Y ..., centre X Y, radius R, angles A B, box X1 Y1 X2 Y2, picture \"...\", "
                       "drawing-data \"...\", level-line X Y Z X Y Z ..., level-point X Y Z, ifc-property "
                       "\"SET\" \"NAME\" \"VALUE\", ifc-attribute "
                       "\"NAME\" \"VALUE\"");
        }
    }
    if (args.code == ProxyTypeCode && args.options.count("of") == 0)
        throw LineError{"a proxy needs of \"LABEL\", the element it stands for"};
}

void parseElementCheck(LineReader& in, ModelArgs& args) {
    const Words checkFlags = {"deleted",      "locked",   "unlocked", "no-user-data", "with-user-data",
                              "switched-off", "reserved", "free",     "mirrored",     "not-mirrored"};
    const Words checkOptions = {"in", "layer", "id", "part", "kind", "on", "linked-from"};
    while (!in.atEnd()) {
        if (in.word("type")) {
            args.code = elementType(in);
        } else if (in.word("user-data")) {
            if (!in.word("containing"))
                throw LineError{"user-data containing \"TEXT\"" + didYouMean(in.peek(), {"containing"})};
            args.options["user-data"] = in.text("the text");
        } else if (in.word("held-by")) {
            args.options["held-by"] = std::to_string(in.number("a user id", 1, INT16_MAX));
        } else if (in.word("text")) {
            if (!in.word("containing"))
                throw LineError{"text containing \"TEXT\"" + didYouMean(in.peek(), {"containing"})};
            args.options["text"] = in.text("the text");
        } else if (in.word("at")) {
            args.options["at"] = std::to_string(args.numbers.size()); // where its numbers start
            readPoint(in, args);
        } else if (in.word("node")) {
            args.options["node"] = std::to_string(args.numbers.size());
            readPoint(in, args);
        } else if (in.word("links")) {
            args.options["links"] = std::to_string(in.number("a count", 0));
        } else if (in.word("block")) {
            args.options["block"] = std::to_string(args.numbers.size());
            args.numbers.push_back(in.real("a width"));
            args.numbers.push_back(in.real("a height"));
        } else if (in.word("runs")) {
            args.options["runs"] = std::to_string(in.number("a count", 0));
        } else if (in.word("paragraphs")) {
            args.options["paragraphs"] = std::to_string(in.number("a count", 0));
        } else if (in.word("parameter")) {
            // The values of every cell, row by row: numbers, or texts in quotes.
            std::string name = in.text("the parameter's name");
            std::string values;
            while (in.nextIsText() || in.nextIsReal())
                values += (in.nextIsText() ? "t" + in.text("") : "n" + std::to_string(in.real(""))) + '\n';
            if (values.empty()) throw LineError{"parameter \"NAME\" VALUE ..."};
            args.parameters.emplace_back(std::move(name), std::move(values));
        } else if (in.word("angle")) {
            args.options["angle"] = std::to_string(in.real("an angle in degrees"));
        } else if (parseDraftingWord(in, args, true)) {
        } else if (parsePolyRoofWord(in, args, true)) {
        } else if (!readModifier(in, args, checkFlags, checkOptions)) {
            unexpected(
                in, checkFlags, checkOptions,
                "type T, user-data containing \"...\", held-by N, text containing \"...\", at X Y, node X Y, "
                "links N, "
                "block W H, runs N, paragraphs N, parameter \"NAME\" VALUE ..., angle DEGREES, points X Y "
                "[arc DEGREES] ..., hole X Y ..., centre X Y, radius R, angles A B, box X1 Y1 X2 Y2, "
                "reference X Y, picture \"...\", drawing-data \"...\", ifc-property \"SET\" \"NAME\" "
                "\"VALUE\"|none, "
                "ifc-attribute \"NAME\" \"VALUE\"|none");
        }
    }
}
// parameter "NAME" [row R] VALUE: one cell of a placed part's parameter, a number or a text.
void parseParameterSet(LineReader& in, ModelArgs& args) {
    args.options["set-parameter"] = in.text("the parameter's name");
    if (in.word("row")) args.options["set-row"] = std::to_string(in.number("a row, from 1", 1, INT32_MAX));
    if (in.nextIsText())
        args.options["set-value"] = "t" + in.text("the value");
    else if (in.nextIsReal())
        args.options["set-value"] = "n" + std::to_string(in.real("the value"));
    else
        throw LineError{"parameter \"NAME\" [row R] VALUE: a number or a text in quotes"};
}
} // namespace

bool parseModelAction(LineReader& in, const std::string& first, Step& step) {
    ModelArgs& args = step.model;
    if (first == "layer") {
        bool add = in.word("add");
        if (!add && !in.word("set")) throw LineError{"layer add \"NAME\" ... or layer set \"NAME\" ..."};
        args.verb = add ? "layer add" : "layer set";
        args.texts.push_back(in.text("the layer's name"));
        if (add)
            readModifiers(in, args, {"hidden", "locked", "not-in-workspace"}, {});
        else
            readModifiers(in, args,
                          {"hidden", "shown", "locked", "unlocked", "in-workspace", "not-in-workspace"}, {});
    } else if (first == "attribute") {
        if (in.word("add"))
            args.verb = "attribute add";
        else if (in.word("delete"))
            args.verb = "attribute delete";
        else if (in.word("user-data"))
            args.verb = "attribute user-data";
        else
            throw LineError{"attribute add, delete or user-data"};
        args.code = attributeType(in);
        args.texts.push_back(in.text("the attribute's name"));
        if (args.verb == "attribute user-data") {
            args.texts.push_back(in.text("the user data"));
            readModifiers(in, args, {"other-platform"}, {});
        }
    } else if (first == "storey") {
        if (in.word("add")) {
            args.verb = "storey add";
            args.texts.push_back(in.text("the storey's name"));
            args.numbers.push_back(in.real("the storey's level"));
            if (in.word("index")) args.count = in.number("a storey index", INT16_MIN, INT16_MAX);
        } else if (in.word("current")) {
            args.verb = "storey current";
            args.texts.push_back(in.text("the storey's name"));
        } else {
            throw LineError{"storey add \"NAME\" LEVEL [index N] or storey current \"NAME\""};
        }
    } else if (first == "view") {
        if (in.word("add")) {
            args.verb = "view add";
            std::string kind = in.anyWord("a view kind");
            args.code = ViewDatabases::kindNamed(kind);
            if (!ViewDatabases::namedByGuid(args.code))
                throw LineError{"views of kind \"" + kind + "\" cannot be added"};
            args.texts.push_back(in.text("the view's name"));
            readModifiers(in, args, {}, {"reference", "master"});
        } else if (in.word("delete")) {
            args.verb = "view delete";
            args.texts.push_back(in.text("the view's name"));
        } else if (in.word("current")) {
            args.verb = "view current";
            if (in.word("plan")) {
                args.flags.insert("plan");
                if (in.nextIsText()) args.texts.push_back(in.text("the storey"));
            } else if (in.word("3d")) {
                args.flags.insert("3d");
            } else {
                args.texts.push_back(in.text("the view's name, plan or 3d"));
            }
        } else if (!parseViewWindow(in, args)) {
            throw LineError{"view add, delete, current, zoom or pixels"};
        }
    } else if (first == "layout") {
        args.verb = "layout";
        parseLayoutSheet(in, args, false);
    } else if (first == "element") {
        if (in.word("add")) {
            args.verb = "element add";
            parseElementAdd(in, args);
        } else if (in.word("set")) {
            args.verb = "element set";
            args.texts.push_back(in.text("the element's label"));
            while (!in.atEnd()) {
                const Words setFlags = {"locked", "unlocked", "no-user-data",
                                        "free",   "reserved", "other-platform"};
                const Words setOptions = {"layer", "with-user-data", "id"};
                if (in.word("held-by"))
                    args.count = in.number("a user id", 1, INT16_MAX);
                else if (in.word("parameter"))
                    parseParameterSet(in, args);
                else if (!readModifier(in, args, setFlags, setOptions))
                    unexpected(in, setFlags, setOptions, "held-by N, parameter \"NAME\" [row R] VALUE");
            }
        } else if (in.word("delete")) {
            args.verb = "element delete";
            args.texts.push_back(in.text("the element's label"));
        } else if (parseElementLink(in, args)) {
        } else if (in.word("find")) {
            args.verb = "element find";
            args.code = elementType(in);
            readModifiers(in, args, {}, {"in", "as"});
            if (args.options.count("as") == 0)
                throw LineError{"element find TYPE [in \"VIEW\"] as \"LABEL\""};
        } else {
            // The user's own edits are `user element ...`; a slip may mean either.
            throw LineError{
                "element add, set, delete, link or find; the user's edits: user element add, set, "
                "delete, move, rotate or mirror" +
                didYouMean(in.peek(), {"add", "set", "delete", "link", "find", "move", "rotate", "mirror"})};
        }
    } else if (first == "select") {
        args.verb = "select";
        if (!in.word("none")) {
            do
                args.texts.push_back(in.text("an element's label"));
            while (!in.atEnd());
        }
    } else if (first == "3d" && parse3DStep(in, args)) {
    } else if (first == "lockable") {
        args.verb = "lockable";
        args.texts.push_back(in.text("the object's name"));
        readModifiers(in, args, {"free", "mine", "others"}, {});
        if (args.flags.size() != 1) throw LineError{"lockable \"NAME\" free, mine or others"};
    } else if (first == "project" && in.word("shared")) {
        args.verb = "project shared";
        do
            args.texts.push_back(in.text("a user's name"));
        while (!in.atEnd());
    } else if (first == "project" && in.word("not-shared")) {
        args.verb = "project not-shared";
    } else {
        return false;
    }
    step.kind = StepKind::ModelAction;
    return true;
}

bool parseModelExpectation(LineReader& in, const std::string& first, Step& step) {
    ModelArgs& args = step.model;
    args.verb = "expect " + first;
    if (first == "layer") {
        args.texts.push_back(in.text("the layer's name"));
        readModifiers(in, args, {"hidden", "shown", "locked", "unlocked", "in-workspace", "not-in-workspace"},
                      {});
    } else if (first == "no-layer") {
        args.texts.push_back(in.text("the layer's name"));
    } else if (first == "layer-combination") {
        args.texts.push_back(in.text("the combination's name"));
        const Words states = {"hidden", "shown", "locked", "unlocked", "in-workspace", "not-in-workspace"};
        while (!in.atEnd())
            if (in.word("layers"))
                args.count = in.number("a count of layer states", 0);
            else if (!readModifier(in, args, states, {"layer"}))
                unexpected(in, states, {"layer"}, "layers N");
        if (!args.flags.empty() && args.options.count("layer") == 0)
            throw LineError{"layer states need the layer: layer \"NAME\" hidden ..."};
    } else if (first == "attribute") {
        if (in.word("count")) {
            args.verb = "expect attribute count";
            args.code = attributeType(in);
            args.count = in.number("a count", 0);
        } else if (in.word("highest")) {
            args.verb = "expect attribute highest";
            args.code = attributeType(in);
            args.count = in.number("an index", 0);
        } else {
            args.code = attributeType(in);
            args.texts.push_back(in.text("the attribute's name"));
            if (in.word("index")) args.count = in.number("an index", 1);
        }
    } else if (first == "no-attribute") {
        args.code = attributeType(in);
        args.texts.push_back(in.text("the attribute's name"));
    } else if (first == "element") {
        if (in.word("count")) {
            args.verb = "expect element count";
            args.count = in.number("a count", 0);
        } else if (in.nextIsText()) {
            args.texts.push_back(in.text("the element's label"));
        }
        parseElementCheck(in, args);
        if (args.verb == "expect element" && args.texts.empty() && args.options.count("user-data") == 0 &&
            args.options.count("text") == 0)
            throw LineError{"expect element count N ..., expect element \"LABEL\" ... or expect element ... "
                            "user-data containing \"TEXT\" or text containing \"TEXT\""};
    } else if (first == "storey") {
        if (in.word("count")) {
            args.verb = "expect storey count";
            args.count = in.number("a count", 0);
        } else {
            args.texts.push_back(in.text("the storey's name"));
            if (in.word("level")) {
                args.options["level"] = "";
                args.numbers.push_back(in.real("a level"));
            }
            readModifiers(in, args, {"current"}, {});
        }
    } else if (first == "view" || first == "no-view") {
        args.texts.push_back(in.text("the view's name"));
        if (first == "view") {
            if (in.word("kind")) {
                std::string kind = in.anyWord("a view kind");
                args.code = ViewDatabases::kindNamed(kind);
                if (args.code == 0) throw LineError{"unknown view kind \"" + kind + "\""};
            }
            readModifiers(in, args, {}, {"reference", "master"});
        }
    } else if (first == "layout") {
        parseLayoutSheet(in, args, true);
    } else if (first == "current-view") {
        parseViewName(in, args);
    } else if (first == "selection") {
        if (in.nextIsText()) {
            do
                args.texts.push_back(in.text("an element's label"));
            while (!in.atEnd());
        } else {
            if (!in.word("count"))
                throw LineError{"expect selection count N or expect selection \"LABEL\" ..."};
            args.count = in.number("a count", 0);
        }
    } else if (parseWindowExpectation(in, first, args)) {
    } else if (first == "lockable") {
        args.texts.push_back(in.text("the object's name"));
        readModifiers(in, args, {"free", "mine", "others"}, {});
        if (args.flags.size() != 1) throw LineError{"expect lockable \"NAME\" free, mine or others"};
    } else {
        return false;
    }
    step.kind = StepKind::ExpectModel;
    return true;
}

} // namespace zavhost
