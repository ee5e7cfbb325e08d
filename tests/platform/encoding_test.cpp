#include "platform/encoding.h"

#include <QStringDecoder>
#include <gtest/gtest.h>

using platform::DecodeText;
using platform::EncodeText;
using platform::EncodingError;

namespace {

// The error that encoding (or decoding) must raise: its message and index.
void ExpectEncodingError(const std::function<void()>& action, const std::string& message, long index) {
    SCOPED_TRACE(message);
    try {
        action();
        ADD_FAILURE() << "no EncodingError";
    } catch (const EncodingError& e) {
        EXPECT_EQ(std::string(e.what()), message);
        EXPECT_EQ(e.CharIndex(), index);
    }
}

std::string AllBytes() {
    std::string bytes;
    for (int b = 0; b < 256; ++b) bytes += static_cast<char>(b);
    return bytes;
}

}  // namespace

TEST(Encoding, Windows1252IsLosslessAndAgreesWithTheCodePage) {
    const std::string bytes = AllBytes();
    const std::string text = DecodeText(bytes, "windows-1252");
    EXPECT_EQ(EncodeText(text, "windows-1252"), bytes);

    // Every defined byte decodes as the code page's own converter decodes it.
    for (int b = 0; b < 256; ++b) {
        if (b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D) continue;
        const std::string one(1, static_cast<char>(b));
        QStringDecoder reference("windows-1252");
        EXPECT_EQ(DecodeText(one, "cp1252"), QString(reference(QByteArray(one.data(), 1))).toStdString())
            << "byte " << b;
    }
    EXPECT_EQ(DecodeText("\x81\x8D\x8F\x90\x9D", "windows-1252"), "\u0081\u008D\u008F\u0090\u009D");
    EXPECT_EQ(DecodeText("caf\xE9 \x80\x96", "windows-1252"), "caf\u00E9 \u20AC\u2013");
    EXPECT_EQ(DecodeText("plain ASCII\r\n", "windows-1252"), "plain ASCII\r\n");

    ExpectEncodingError([] { EncodeText("ab\u4E2D", "windows-1252"); },
                        "U+4E2D '\u4E2D' cannot be stored in windows-1252", 2);
    ExpectEncodingError([] { EncodeText("\u00E9\u00E9\U0001F600", "windows-1252"); },
                        "U+1F600 '\U0001F600' cannot be stored in windows-1252", 2);
    // U+0080 is not byte 0x80: that byte is the euro sign.
    ExpectEncodingError([] { EncodeText("x\u0080", "windows-1252"); }, "U+0080 cannot be stored in windows-1252", 1);
    ExpectEncodingError([] { EncodeText("ab\xC3", "windows-1252"); }, "the text is not valid UTF-8 at byte 3", 2);
}

TEST(Encoding, Utf8AndLatin1AreCheckedBothWays) {
    const std::string valid = "a\u00E9\u4E2D\U0001F600";
    EXPECT_EQ(DecodeText(valid, "UTF-8"), valid);
    EXPECT_EQ(EncodeText(valid, "utf8"), valid);
    ExpectEncodingError([] { DecodeText("ab\xC3", "utf-8"); }, "the file is not valid UTF-8 at byte 3", 2);
    ExpectEncodingError([] { DecodeText("a\xC0\xAF", "utf-8"); }, "the file is not valid UTF-8 at byte 2", 1);
    ExpectEncodingError([] { DecodeText("\xED\xA0\x80", "utf-8"); }, "the file is not valid UTF-8 at byte 1", 0);
    ExpectEncodingError([] { DecodeText("12345678\xF4\x90\x80\x80", "utf-8"); },
                        "the file is not valid UTF-8 at byte 9", 8);

    const std::string bytes = AllBytes();
    EXPECT_EQ(EncodeText(DecodeText(bytes, "latin1"), "ISO-8859-1"), bytes);
    EXPECT_EQ(DecodeText("\x80\xE9", "iso-8859-1"), "\u0080\u00E9");
    ExpectEncodingError([] { EncodeText("\u20AC", "latin1"); }, "U+20AC '\u20AC' cannot be stored in iso-8859-1", 0);
}

TEST(Encoding, OtherCodePagesGoThroughQt) {
    EXPECT_EQ(DecodeText("\xC0\xE1", "windows-1251"), "\u0410\u0431");
    EXPECT_EQ(EncodeText("\u0410\u0431", "cp1251"), "\xC0\xE1");
    ExpectEncodingError([] { EncodeText("\u0410b\u4E2D", "windows-1251"); },
                        "U+4E2D '\u4E2D' cannot be stored in windows-1251", 2);
    EXPECT_THROW(DecodeText("ab\x82", "Shift_JIS"), EncodingError);
    EXPECT_THROW(DecodeText("x", "no-such-code-page"), EncodingError);
}

TEST(Encoding, CanonicalNamesAcceptTheUsualAliases) {
    for (const char* alias : {"windows-1252", "Windows-1252", "cp1252", "CP1252", "windows1252", "1252"})
        EXPECT_EQ(platform::CanonicalEncoding(alias), "windows-1252") << alias;
    for (const char* alias : {"utf-8", "UTF-8", "utf8", "UTF8"})
        EXPECT_EQ(platform::CanonicalEncoding(alias), "utf-8") << alias;
    for (const char* alias : {"latin1", "Latin-1", "ISO-8859-1", "iso8859-1"})
        EXPECT_EQ(platform::CanonicalEncoding(alias), "iso-8859-1") << alias;
    EXPECT_EQ(platform::CanonicalEncoding("cp1251"), "windows-1251");
    EXPECT_EQ(platform::CanonicalEncoding("no-such-code-page"), "");
    EXPECT_EQ(platform::CanonicalEncoding(""), "");
}
