#include "probes/power.h"

#include <cstdint>
#include <string>

#include "platform/errors.h"

namespace zarnel {
namespace {

constexpr std::string_view kAppTitle = "zarnel";
constexpr std::string_view kUnknownText = "不明";

using namespace power_status;

std::string_view sourceText(std::uint8_t acLineStatus) {
    switch (acLineStatus) {
        case kOffline:
            return "ＤＣ電源";
        case kOnline:
            return "ＡＣ電源";
        default:
            return kUnknownText;
    }
}

// Compared as a whole byte: a combination of flags reads as unknown.
std::string_view batteryText(std::uint8_t flag) {
    switch (flag) {
        case kHigh:
            return "多い";
        case kLow:
            return "少い";
        case kCritical:
            return "微量";
        case kCharging:
            return "充電中";
        case kNoBattery:
            return "バッテリなし";
        default:
            return kUnknownText;
    }
}

std::string percentText(std::uint8_t percent) {
    if (percent == kUnknown) return std::string(kUnknownText);
    return "残存" + std::to_string(percent) + "％";
}

std::string secondsText(std::int32_t seconds) {
    if (seconds == kUnknownSeconds) return std::string(kUnknownText);
    return std::to_string(seconds) + "秒";
}

}  // namespace

PowerOutcome PowerStatus(Controls& controls, Platform& platform) {
    SystemPowerStatus status{};
    // An error left behind by an earlier call must not pass for a failure of this one.
    platform.clearLastError();
    platform.getSystemPowerStatus(status);  // judged by the last error, not the result
    const std::uint32_t code = platform.lastError();
    if (code == win32_error::kSuccess) {
        controls.setText(Ctl::Text3, sourceText(status.ACLineStatus));
        controls.setText(Ctl::Text4, batteryText(status.BatteryFlag));
        controls.setText(Ctl::Text5, percentText(status.BatteryLifePercent));
        controls.setText(Ctl::Text6, secondsText(status.BatteryLifeTime));
        controls.setText(Ctl::Text7, secondsText(status.BatteryFullLifeTime));
        return PowerOutcome::Shown;
    }
    if (code == win32_error::kNotSupported || code == win32_error::kCallNotImplemented) {
        controls.messageBox("システムでサポートされません。", MessageIcon::Information, kAppTitle);
        return PowerOutcome::NotSupported;
    }
    // Built piece by piece: GCC 12 at -O3 warns falsely on the chained operator+ (-Wrestrict).
    std::string text = "(";
    text += std::to_string(code);
    text += ")関数の呼び出しは失敗しました。";
    controls.messageBox(text, MessageIcon::Error, kAppTitle);
    return PowerOutcome::Failed;
}

}  // namespace zarnel
