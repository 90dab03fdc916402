#pragma once
// What an undo step changed, in the words of the 編集 menu (「サイズの変更」, 「画像の変更」…):
// named by the part of the design whose settings differ, from a table over the settings keys.
#include <string>

#include "model/DataUnit.h"

namespace orv {

// The name of the step from `before` to `after`; 「設定の変更」 when more than one part changed.
std::string StepName(const TData& before, const TData& after);

}  // namespace orv
