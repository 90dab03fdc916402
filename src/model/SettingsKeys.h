#pragma once
// The settings file's keys as one table: section, key, field, the value for a missing key and the
// value of a new design. Reading, writing and the tests all walk it, in the order the file is
// written.
#include <cstdint>
#include <span>
#include <string>

#include "model/DataUnit.h"

namespace orv {

struct SettingKey {
    enum class Kind {
        Integer,
        Text,
        Lists,  // where the Memorial and MatrixData sections are written and read
    };
    // Defaults that are not constants.
    enum class Default { Constant, TodayYear, TodayMonth };

    Kind kind;
    const char* section;
    const char* key;
    int32_t TData::*integerField;
    std::string TData::*textField;
    Default missingKind;
    int32_t missingInteger;
    const char* missingText;
    int32_t newInteger;
    const char* newText;
    bool flag = false;  // an Integer that is on when not 0, written as 1 or 0
    // Keys this program added: left out of the file while they hold their default, so that a
    // design that does not use them is written as before.
    bool writtenWhenChanged = false;
};

std::span<const SettingKey> SettingKeys();

// The settings file a record is saved as, before its code page conversion: two records with the
// same text save the same file.
std::string SettingsText(const TData& data);

}  // namespace orv
