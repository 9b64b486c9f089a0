// What the module hands the host in memory handles and pointer blocks, kept by the host as bytes:
// the project can then be copied for undo, compared, saved, and handed out again as new blocks
// that the caller owns. Memo records are walked as words at fixed offsets.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/api/AttributeRecords.h"
#include "platform/api/ElementRecords.h"

namespace zavhost {

struct StoredBlock {
    bool isPointer = false; // a pointer block rather than a handle
    std::string bytes;
    // Blocks named inside this one, by the byte offset of the word that names them. Only sub-blocks
    // and text paragraphs of element memos carry them.
    std::vector<std::pair<uint32_t, StoredBlock>> nested;

    bool operator==(const StoredBlock&) const = default;
};

// A memo's blocks by the byte offset of their field.
using StoredBlocks = std::map<uint32_t, StoredBlock>;

struct StoredUserData {
    int16_t version = 0;
    uint16_t platformSign = 0;
    uint32_t flags = 0;
    std::string bytes;

    bool operator==(const StoredUserData&) const = default;
};

// The element memo as the host keeps it: its blocks and the two inline records at 256 and 304.
struct StoredMemo {
    StoredBlocks blocks;
    std::array<uint8_t, 96> inlineRecords{};

    bool empty() const;
    bool operator==(const StoredMemo&) const = default;
};

// Reads and writes one pointer-sized word of a record.
void* wordAt(const void* record, size_t offset);
void setWordAt(void* record, size_t offset, void* value);

// Which words of a block name blocks of their own: none; any word (a memo's sub-block); the
// tab, run and line-end pointers of each 112-byte paragraph record of a text; or the value handle
// of each array among additional-parameter records.
enum class Nesting { None, AnyWord, Paragraphs, Parameters };
Nesting nestingOfField(uint32_t offset);          // of an element memo's field
Nesting nestingOfAttributeField(uint32_t offset); // of an attribute memo's field
// The byte offsets of the words of a block (its bytes and size) that may name blocks.
std::vector<uint32_t> nestedSlots(Nesting nesting, const char* data, size_t size);

// A copy of the block a word names: a live handle or pointer block of the host's memory manager.
// Nothing for null; `foreign` (when given) is set for anything else that is not null, and for a
// paragraph pointer that names no live block (stored as null).
std::optional<StoredBlock> copyBlock(void* word, Nesting nesting, bool* foreign = nullptr);
inline std::optional<StoredBlock> copyBlock(void* word, bool withNested, bool* foreign = nullptr) {
    return copyBlock(word, withNested ? Nesting::AnyWord : Nesting::None, foreign);
}
// A new handle or pointer block with the stored bytes (and new nested blocks); null when memory
// runs out, with nothing left allocated.
void* makeBlock(const StoredBlock& block);
// Frees the block a word names (and what its slots name, when nested); answers false for a word
// that is not null and names no live block, which is left alone.
bool freeBlock(void* word, Nesting nesting);
inline bool freeBlock(void* word, bool withNested) {
    return freeBlock(word, withNested ? Nesting::AnyWord : Nesting::None);
}

// Offsets of the block fields of the two memo records.
const std::vector<uint32_t>& elementMemoFields(); // every handle field and the sub-block at 248
const std::vector<uint32_t>& attributeMemoFields();
inline constexpr uint32_t subBlockOffset = offsetof(API_ElementMemo, subBlock);
inline constexpr uint32_t paragraphsOffset = offsetof(API_ElementMemo, paragraphs);

// The memo parts a field belongs to: 0 for a field whose part the host does not know, which is
// handed out for any mask and replaced only when a change brings it.
uint64_t memoPartOfField(uint32_t offset);

// Copies every block of a memo; `foreign` counts words that named no live block.
StoredMemo captureElementMemo(const API_ElementMemo& memo, int* foreign = nullptr);
// Why a captured memo cannot be taken as the host keeps its blocks (a picture is a handle, the
// drawing data a pointer block), or nothing.
std::string blockKindProblem(const StoredMemo& memo);
// Clears the memo and fills the parts that the mask asks for (0: every part) with new blocks the
// caller owns, and the info-string field with the info text when there is one. Answers false
// when memory runs out; nothing is then left in the memo.
bool handOutElementMemo(const StoredMemo& stored, uint64_t mask, API_ElementMemo* memo,
                        const std::string& infoText = {});
// Takes the info text out of a captured memo's info-string field; nothing when it has none.
std::optional<std::string> takeInfoText(StoredMemo* memo);
// Merges a change: the parts in the mask are taken from the given memo (cleared when it has none),
// fields of no known part only when the change brings them; the inline records when the mask is
// every part.
void changeElementMemo(StoredMemo* stored, const StoredMemo& given, uint64_t mask);
// Frees every block of the memo and nulls its fields; answers how many words named no live block.
int disposeElementMemo(API_ElementMemo* memo);

StoredBlocks captureAttributeMemo(const HostAttributeMemo& memo, int* foreign = nullptr);
bool handOutAttributeMemo(const StoredBlocks& stored, HostAttributeMemo* memo);
int disposeAttributeMemo(HostAttributeMemo* memo);

// User data in and out of the 24-byte record. The record's handle stays the caller's.
std::optional<StoredUserData> captureUserData(const HostUserData& record);
// Fills the record with a new handle the caller owns; false when memory runs out.
bool handOutUserData(const StoredUserData& data, HostUserData* record);

} // namespace zavhost
