// mscms is looked up at run time: Wine prefixes and trimmed systems may lack it, and a
// monitor then counts as sRGB as it did before.
#include "SystemTransform.h"

#include "ColorTable.h"
#include "SystemLibrary.h"

#include <windows.h>
#include <icm.h>

namespace {

using TOpen = decltype(&OpenColorProfileW);
using TClose = decltype(&CloseColorProfile);
using TCreate = decltype(&CreateMultiProfileTransform);
using TDelete = decltype(&DeleteColorTransform);
using TTranslate = decltype(&TranslateColors);

struct TEngine {
    TOpen Open = SystemFunction<TOpen>(L"mscms.dll", "OpenColorProfileW");
    TClose Close = SystemFunction<TClose>(L"mscms.dll", "CloseColorProfile");
    TCreate Create = SystemFunction<TCreate>(L"mscms.dll", "CreateMultiProfileTransform");
    TDelete Delete = SystemFunction<TDelete>(L"mscms.dll", "DeleteColorTransform");
    TTranslate Translate = SystemFunction<TTranslate>(L"mscms.dll", "TranslateColors");
    bool Complete() const { return Open && Close && Create && Delete && Translate; }
};

const TEngine& Engine() {
    static const TEngine Found;
    return Found;
}

// A profile opened from memory; the engine copies the bytes, but we keep them alive anyway
// until it is closed.
class TProfileHandle {
public:
    explicit TProfileHandle(const std::string& Bytes) {
        PROFILE Profile = {PROFILE_MEMBUFFER, const_cast<char*>(Bytes.data()),
                           static_cast<DWORD>(Bytes.size())};
        FHandle = Engine().Open(&Profile, PROFILE_READ, FILE_SHARE_READ, OPEN_EXISTING);
    }
    ~TProfileHandle() {
        if (FHandle) Engine().Close(FHandle);
    }
    TProfileHandle(const TProfileHandle&) = delete;
    TProfileHandle& operator=(const TProfileHandle&) = delete;
    HPROFILE Get() const { return FHandle; }

private:
    HPROFILE FHandle = nullptr;
};

}  // namespace

bool SystemTable(const std::string& DeviceProfile, ColorProfile::TSpace Target,
                 std::vector<std::uint16_t>& Outputs) {
    using ColorProfile::TColorTable;
    if (DeviceProfile.empty() || !Engine().Complete()) return false;
    const std::string TargetBytes = ColorProfile::WriteTarget(Target);
    const TProfileHandle Device(DeviceProfile), Into(TargetBytes);
    if (!Device.Get() || !Into.Get()) return false;
    HPROFILE Profiles[2] = {Device.Get(), Into.Get()};
    DWORD Intents[2] = {INTENT_RELATIVE_COLORIMETRIC, INTENT_RELATIVE_COLORIMETRIC};
    const HTRANSFORM Transform =
        Engine().Create(Profiles, 2, Intents, 2, BEST_MODE, INDEX_DONT_CARE);
    if (!Transform) return false;
    std::vector<COLOR> In(TColorTable::kPoints), Out(TColorTable::kPoints);
    for (int N = 0; N < TColorTable::kPoints; ++N) {
        std::uint16_t Rgb[3];
        TColorTable::GridPoint(N, Rgb);
        In[N].rgb.red = Rgb[0], In[N].rgb.green = Rgb[1], In[N].rgb.blue = Rgb[2];
    }
    const bool Translated = Engine().Translate(Transform, In.data(), TColorTable::kPoints,
                                               COLOR_RGB, Out.data(), COLOR_RGB);
    Engine().Delete(Transform);
    if (!Translated) return false;
    Outputs.resize(3 * static_cast<std::size_t>(TColorTable::kPoints));
    for (int N = 0; N < TColorTable::kPoints; ++N) {
        Outputs[3 * N] = Out[N].rgb.red;
        Outputs[3 * N + 1] = Out[N].rgb.green;
        Outputs[3 * N + 2] = Out[N].rgb.blue;
    }
    return true;
}
