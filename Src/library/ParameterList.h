// The ordered, owning list of the parameters of a library part, a placed part or an add-on
// command. Names need not be unique: an operation by name takes the first match. Names match in
// any letter case, as the host's do.
#pragma once

#include <cstdint>
#include <memory>

#include "Environment/Containers.h"
#include "library/Parameter.h"

namespace tarnwick {

class Setting;

class ParameterVector : public Vector<Parameter> {
public:
    ParameterVector() = default;
    ParameterVector(ParameterVector&&) noexcept = default;
    ParameterVector& operator=(ParameterVector&&) noexcept = default;
    // A clone of every parameter; an empty entry stays empty.
    virtual std::unique_ptr<ParameterVector> clone() const;
};

class ParameterList {
public:
    static constexpr uint64_t NoIndex = Parameter::NoIndex;

    ParameterList();
    ParameterList(const ParameterList& other);
    ParameterList& operator=(const ParameterList& other);
    virtual ~ParameterList();

    virtual uint64_t getCount() const;
    // NoIndex when no parameter has the name.
    virtual uint64_t indexOf(const String& name) const;
    // Null past the end.
    virtual Parameter* at(uint64_t position) const;
    virtual Parameter* find(const String& name) const;
    // Throw std::bad_alloc ("bad allocation") on an empty list.
    virtual Parameter& first() const;
    virtual Parameter& last() const;
    // The named parameter's cell as a new Setting; null when the name is missing.
    virtual std::unique_ptr<Setting> getValueSetting(const String& name, uint64_t row, uint64_t col) const;
    // Nothing past the end.
    virtual void removeAt(uint64_t position);
    virtual void clear();
    // A position at or past the end appends.
    virtual void replaceAt(std::unique_ptr<Parameter> parameter, uint64_t position);
    virtual void insertAt(std::unique_ptr<Parameter> parameter, uint64_t position);
    virtual void append(std::unique_ptr<Parameter> parameter);
    // Grows the parameter to reach the cell (std::out_of_range when it cannot); false when the
    // name is missing.
    virtual bool setValue(const Setting& value, const String& name, uint64_t row, uint64_t col);
    // Takes one parameter's size from other, and its cells: all (row and col NoIndex), the rows
    // below row (col NoIndex), or none (col given). Nothing unless both resize flags are set.
    virtual void mergeOne(const ParameterList& other, const String& name, uint64_t row, uint64_t col,
                          bool resizeRows, bool resizeColumns);
    // Each parameter takes the values of other's first parameter of its name, where both hold the
    // same kind of values (Parameter::assign); with keepSizeParameters "A", "B" and "ZZYZX" keep
    // theirs. Parameters other has and this list lacks are not added.
    virtual void mergeByName(const ParameterList& other, bool keepSizeParameters, bool resizeRows,
                             bool resizeColumns);
    virtual void resetValues();
    // Replays a user's edit (reference before, changed after): parameters the edit kept are
    // merged cell by cell (or replaced, in place, by changed's on a change of type), those it
    // removed are removed, those it added are appended; those only in this list stay.
    virtual void mergeChanges(const ParameterList& changed, const ParameterList& reference);

    // The records of a handle of additional-parameter records, in order; a null handle is an
    // empty list and the bytes of a partial last record are ignored. A record that makes no
    // parameter leaves the list empty and answers false.
    bool readHostParameters(GSHandle handle);
    // A new handle of one record per parameter. On failure there is none (disposed of through the
    // host, array values too, and null) and the answer is false.
    bool writeHostParameters(GSHandle& handle) const;
    // The parameters of the host's command-parameter list, the host's last first (p1, p2, p3 are
    // read as p3, p2, p1); a null list is an empty one. A position the host cannot give is
    // skipped; a parameter of a kind other than text, integer or real leaves the list empty and
    // answers false.
    bool readCommandParameters(GSHandle list);
    // Adds every parameter to the list in list order (a new one made first when create is set)
    // and, for a command id other than 0, "command_id" and "command_version". A list read from
    // the host and written back so stands reversed. On failure the list is freed
    // and nulled and the answer is false.
    bool writeCommandParameters(GSHandle& list, bool create, uint32_t commandId,
                                int32_t commandVersion) const;

    // Frees a handle of additional-parameter records with its array values and nulls it: through
    // the host, or here when the host does not supply the call.
    static void disposeHostParameters(GSHandle& handle);

    // The name in the form names are matched by.
    static String matchingName(const String& name) { return name.toLower(); }

private:
    std::unique_ptr<ParameterVector> m_parameters;
};

} // namespace tarnwick
