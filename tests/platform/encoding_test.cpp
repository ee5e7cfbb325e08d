#include "platform/encoding.h"

#include <QStringDecoder>
#include <gtest/gtest.h>

using platform::DecodeText;
using platform::EncodeText;
using namespace std::string_view_literals;

TEST(Encoding, Windows1252IsLosslessAndAgreesWithTheCodePage) {
    std::string bytes;
    for (int b = 0; b < 256; ++b) bytes += static_cast<char>(b);
    EXPECT_EQ(EncodeText(DecodeText(bytes, "windows-1252"), "windows-1252"), bytes);
    EXPECT_EQ(EncodeText(DecodeText(bytes, "latin1"), "ISO-8859-1"), bytes);

    // Every defined byte decodes as the code page's own converter decodes it; the
    // five undefined ones become the control characters of the same number.
    for (int b = 0; b < 256; ++b) {
        if (b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D) continue;
        const std::string one(1, static_cast<char>(b));
        QStringDecoder reference("windows-1252");
        EXPECT_EQ(DecodeText(one, "cp1252"), QString(reference(QByteArray(one.data(), 1))).toStdString()) << b;
    }
    EXPECT_EQ(DecodeText("\x81\x8D\x8F\x90\x9D", "windows-1252"), "\u0081\u008D\u008F\u0090\u009D");
    EXPECT_EQ(DecodeText("\x80\xE9", "iso-8859-1"), "\u0080\u00E9");

    const std::string utf8 = "a\u00E9\u4E2D\U0001F600";
    EXPECT_EQ(EncodeText(DecodeText(utf8, "UTF-8"), "utf8"), utf8);
    EXPECT_EQ(DecodeText("\xC0\xE1", "windows-1251"), "\u0410\u0431");
    EXPECT_EQ(EncodeText("\u0410\u0431", "cp1251"), "\xC0\xE1");
}

TEST(Encoding, ErrorsNameTheCharacterOrByte) {
    const struct {
        bool decode;
        std::string_view text;
        const char *encoding, *message;
        long index;
    } cases[] = {
        {false, "ab\u4E2D", "windows-1252", "U+4E2D '\u4E2D' cannot be stored in windows-1252", 2},
        {false, "\u00E9\u00E9\U0001F600", "cp1252", "U+1F600 '\U0001F600' cannot be stored in windows-1252", 2},
        // U+0080 is not byte 0x80: that byte is the euro sign.
        {false, "x\u0080", "windows-1252", "U+0080 cannot be stored in windows-1252", 1},
        {false, "ab\xC3", "windows-1252", "the text is not valid UTF-8 at byte 3", 2},
        {false, "\u20AC", "latin1", "U+20AC '\u20AC' cannot be stored in iso-8859-1", 0},
        {false, "\u0410b\u4E2D", "windows-1251", "U+4E2D '\u4E2D' cannot be stored in windows-1251", 2},
        {true, "ab\xC3", "utf-8", "the file is not valid UTF-8 at byte 3", 2},
        {true, "a\xC0\xAF", "utf-8", "the file is not valid UTF-8 at byte 2", 1},
        {true, "\xED\xA0\x80", "utf-8", "the file is not valid UTF-8 at byte 1", 0},
        {true, "12345678\xF4\x90\x80\x80", "utf-8", "the file is not valid UTF-8 at byte 9", 8},
        // Bytes that decode, but to a character written back as other bytes,
        // would be changed by a save that did not touch them.
        {true, "ab\r\n\xED\x41x", "shift_jis", "byte 5 does not read back as itself in shift_jis", 4},
        // A lone surrogate has no UTF-8 form: reading it would change it on a save.
        {true, "\x00\x61\xD8\x01\x00\x62"sv, "utf-16be", "byte 3 starts half a character pair of utf-16be", 2},
    };
    for (const auto& c : cases) {
        try {
            (void)(c.decode ? DecodeText(c.text, c.encoding) : EncodeText(c.text, c.encoding));
            ADD_FAILURE() << "no EncodingError: " << c.message;
        } catch (const platform::EncodingError& e) {
            EXPECT_EQ(std::string(e.what()), c.message);
            EXPECT_EQ(e.CharIndex(), c.index) << c.message;
        }
    }
    EXPECT_THROW(DecodeText("ab\x82", "Shift_JIS"), platform::EncodingError);
    EXPECT_THROW(DecodeText("x", "no-such-code-page"), platform::EncodingError);
}
