// FormatNumber takes its decimal separator from the user's regional settings,
// as the Region control panel sets them. Windows only.
#include <windows.h>

#include <string>

#include <gtest/gtest.h>

#include "number_format.h"

namespace {

// Sets the user's decimal separator for the life of the object and puts the
// old one back afterwards: the setting belongs to the user, not to the test.
class UserDecimalSeparatorSetting {
  public:
    explicit UserDecimalSeparatorSetting(const wchar_t* separator) {
        wchar_t old[8] = {};
        const int length = GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, old, 8);
        if (length > 0) {
            old_.assign(old, static_cast<std::size_t>(length - 1));
        }
        set_ = SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator) != 0;
    }
    ~UserDecimalSeparatorSetting() {
        if (set_ && !old_.empty()) {
            SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, old_.c_str());
        }
    }
    UserDecimalSeparatorSetting(const UserDecimalSeparatorSetting&) = delete;
    UserDecimalSeparatorSetting& operator=(const UserDecimalSeparatorSetting&) = delete;

    bool WasSet() const { return set_; }

  private:
    std::wstring old_;
    bool set_ = false;
};

}  // namespace

// The Arabic decimal separator is outside every single-byte code page, so it
// arrives intact only through the wide-character settings and UTF-8.
TEST(RegionalSettings, FormatNumberWritesTheUsersDecimalSeparator) {
    const UserDecimalSeparatorSetting arabic(L"\u066B");
    ASSERT_TRUE(arabic.WasSet());

    EXPECT_EQ(UserDecimalSeparator(), "\xD9\xAB");
    EXPECT_EQ(FormatNumber(-0.25),
              "-0\xD9\xAB"
              "25");
    EXPECT_EQ(FormatNumber(1.5e-9),
              "1\xD9\xAB"
              "5E-09");
    EXPECT_EQ(FormatNumber(7.0), "7");
}
