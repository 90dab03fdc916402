#include "render/BlendColor.h"

#include "render/RenderPass.h"

namespace orv {

CanvasColor BlendColor(CanvasColor A, CanvasColor B, double Fraction) {
    const uint32_t a = static_cast<uint32_t>(A) & 0xFFFFFF;
    const uint32_t b = static_cast<uint32_t>(B) & 0xFFFFFF;
    uint32_t result = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const int ca = static_cast<int>((a >> shift) & 0xFF);
        const int cb = static_cast<int>((b >> shift) & 0xFF);
        // The product is held in single precision before it is truncated.
        const int mixed =
            cb < ca ? cb + Trunc(F((ca - cb) * Fraction)) : ca + Trunc(F((cb - ca) * Fraction));
        result |= static_cast<uint32_t>(mixed) << shift;
    }
    return static_cast<CanvasColor>(result);
}

}  // namespace orv
