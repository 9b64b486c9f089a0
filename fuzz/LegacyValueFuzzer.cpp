// Any bytes as a stream of legacy values. Reading must fail cleanly, and every value read must
// convert to every representation without undefined behaviour and travel through its text.
#include <cstddef>
#include <cstdint>
#include <string>

#include "Environment/DataBufferIn.h"
#include "Environment/LegacyBinaryIn.h"
#include "persistence/Setting.h"
#include "persistence/StringSetting.h"
#include "persistence/TimeSetting.h"
#include "persistence/ValueSettings.h"

using namespace tarnwick;

namespace {

void exercise(Setting& setting) {
    int64_t wide = setting.asInt64();
    int32_t narrow = setting.asInt32();
    double real = setting.asDouble();
    String text = setting.asText();
    (void)setting.asBool();
    (void)setting.asDateTime();
    (void)setting.isEmpty();
    std::unique_ptr<Setting> copy = setting.clone();
    if (!copy->isEqual(setting) && setting.getType() != Setting::RealType) __builtin_trap();
    copy->assign(setting);
    if (copy->asText() != text) __builtin_trap();
    // Every other kind takes the value in each representation.
    std::unique_ptr<Setting> kinds[] = {std::make_unique<BooleanSetting>(), std::make_unique<Int32Setting>(),
                                        std::make_unique<Int64Setting>(),   std::make_unique<RealSetting>(),
                                        std::make_unique<LengthSetting>(),  std::make_unique<TimeSetting>(),
                                        std::make_unique<StringSetting>(),  std::make_unique<IDSetting>()};
    for (auto& kind : kinds) {
        kind->setInt64(wide);
        kind->setInt32(narrow);
        kind->setDouble(real);
        kind->setText(text);
        kind->assign(setting);
        (void)kind->asInt32();
        (void)kind->asText();
        (void)kind->isLess(setting);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    int order = (data[0] & 1) ? LegacyBinaryIn::BigEndian : LegacyBinaryIn::LittleEndian;
    DataBufferIn in{String(std::string(reinterpret_cast<const char*>(data + 1), size - 1))};
    LegacyBinaryIn legacy(in, order);
    for (int i = 0; i < 64 && !legacy.atEnd(); ++i) {
        String name;
        std::unique_ptr<Setting> value = Setting::readLegacyValue(false, name, legacy, 0);
        if (!value) break;
        exercise(*value);
    }
    return 0;
}
