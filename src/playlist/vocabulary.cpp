#include "playlist/vocabulary.h"

#include "core/text.h"

namespace mirtal::playlist {

namespace {

// HH:MM:SS<separator>mmm from the hours and the milliseconds within the hour; the hours take
// more than two digits when they need them. Written digit by digit: the times of the grids and the
// chapter files are made by the thousand.
void appendClockText(std::string& text, uint32_t hours, uint32_t msInHour, char separator)
{
    if (hours < 10)
        text += '0';
    core::appendDecimal(text, hours);
    char rest[10] = {':', 0, 0, ':', 0, 0, separator, 0, 0, 0};
    const uint32_t minutes = msInHour / 60000;
    const uint32_t seconds = msInHour / 1000 % 60;
    const uint32_t ms = msInHour % 1000;
    rest[1] = static_cast<char>('0' + minutes / 10);
    rest[2] = static_cast<char>('0' + minutes % 10);
    rest[4] = static_cast<char>('0' + seconds / 10);
    rest[5] = static_cast<char>('0' + seconds % 10);
    rest[7] = static_cast<char>('0' + ms / 100);
    rest[8] = static_cast<char>('0' + ms / 10 % 10);
    rest[9] = static_cast<char>('0' + ms % 10);
    text.append(rest, sizeof rest);
}

std::array<std::string, 320> makeAttributeNames()
{
    std::array<std::string, 320> n;
    const char* video[] = {"-", "480i", "576i", "480p", "1080i", "720p", "1080p", "576p"};
    for (int i = 0; i < 16; ++i)
        n[i] = i < 8 ? video[i] : "res.";
    const char* rate[] = {"-", "23.976", "24", "25", "29.97", "-", "50", "59.94"};
    for (int i = 0; i < 16; ++i)
        n[16 + i] = i < 8 ? rate[i] : "res.";
    for (int i = 0; i < 16; ++i)
        n[32 + i] = "-";
    n[33] = "Mono";
    n[35] = "Stereo";
    n[38] = "Multi-ch.";
    n[44] = "St.+M-ch.";
    n[45] = n[46] = n[47] = "res.";
    for (int i = 0; i < 16; ++i)
        n[48 + i] = "-";
    n[49] = "48 kHz";
    n[52] = "96 kHz";
    n[53] = "192 kHz";
    n[60] = "c:48/96, e:192 kHz";
    n[62] = "c:48, e:192 kHz";
    n[63] = "res.";
    const std::pair<int, const char*> coding[] = {
        {0x02, "MPEG-2"}, {0x1B, "AVC"}, {0xEA, "VC1"}, {0x80, "LPCM"}, {0x81, "DD"},
        {0x82, "DTS"}, {0x83, "Dolby Lossless"}, {0x84, "DD+"}, {0x85, "DTS-HD ex. XLL"},
        {0x86, "DTS-HD XLL"}, {0x90, "PG"}, {0x91, "IG"}, {0x92, "Text"}, {0xA1, "DD+"}, {0xA2, "DTS-HD"}};
    for (const auto& [c, name] : coding)
        n[64 + c] = name;
    return n;
}

std::optional<std::string> pick(const std::vector<std::pair<size_t, const char*>>& table, size_t item)
{
    for (const auto& [i, text] : table)
        if (i == item)
            return std::string(text);
    return std::nullopt;
}

}  // namespace

const std::array<std::string, 320>& streamAttributeNames()
{
    static const auto names = makeAttributeNames();
    return names;
}

const std::string& videoFormatName(uint8_t v) { return streamAttributeNames()[v & 0x0F]; }
const std::string& frameRateName(uint8_t v) { return streamAttributeNames()[16 + (v & 0x0F)]; }
const std::string& audioFormatName(uint8_t v) { return streamAttributeNames()[32 + (v & 0x0F)]; }
const std::string& sampleRateName(uint8_t v) { return streamAttributeNames()[48 + (v & 0x0F)]; }
const std::string& codingTypeName(uint8_t c) { return streamAttributeNames()[64 + c]; }

bool isVideoCoding(uint8_t c)
{
    return c == 0x02 || c == 0x1B || c == 0xEA;
}

bool isAudioCoding(uint8_t c)
{
    return (c >= 0x80 && c <= 0x86) || c == 0xA1 || c == 0xA2;
}

const std::vector<std::string>& languageCodes()
{
    static const std::vector<std::string> codes{
        "eng", "aar", "abk", "ace", "ach", "ada", "afa", "afh", "afr", "aka", "akk", "ale", "alg", "amh",
        "ang", "apa", "ara", "arc", "arn", "arp", "art", "arw", "asm", "ath", "aus", "ava", "ave", "awa",
        "aym", "aze", "bad", "bai", "bak", "bal", "bam", "ban", "bas", "bat", "bej", "bel", "bem", "ben",
        "ber", "bho", "bih", "bik", "bin", "bis", "bla", "bnt", "bod", "bra", "bre", "btk", "bua", "bug",
        "bul", "cad", "cai", "car", "cat", "cau", "ceb", "cel", "ces", "cha", "chb", "che", "chg", "chk",
        "chm", "chn", "cho", "chp", "chr", "chu", "chv", "chy", "cmc", "cop", "cor", "cos", "cpe", "cpf",
        "cpp", "cre", "crp", "cus", "cym", "dak", "dan", "day", "del", "den", "deu", "dgr", "din", "div",
        "doi", "dra", "dua", "dum", "dyu", "dzo", "efi", "egy", "eka", "ell", "elx", "eng", "enm", "epo",
        "est", "eus", "ewe", "ewo", "fan", "fao", "fas", "fat", "fij", "fin", "fiu", "fon", "fra", "frm",
        "fro", "fry", "ful", "fur", "gaa", "gay", "gba", "gem", "gez", "gil", "gla", "gle", "glg", "glv",
        "gmh", "goh", "gon", "gor", "got", "grb", "grc", "grn", "guj", "gwi", "hai", "hau", "haw", "heb",
        "her", "hil", "him", "hin", "hit", "hmn", "hmo", "hrv", "hun", "hup", "hye", "iba", "ibo", "ijo",
        "iku", "ile", "ilo", "ina", "inc", "ind", "ine", "ipk", "ira", "iro", "isl", "ita", "jaw", "jpn",
        "jpr", "jrb", "kaa", "kab", "kac", "kal", "kam", "kan", "kar", "kas", "kat", "kau", "kaw", "kaz",
        "kha", "khi", "khm", "kho", "kik", "kin", "kir", "kmb", "kok", "kom", "kon", "kor", "kos", "kpe",
        "kro", "kru", "kua", "kum", "kur", "kut", "lad", "lah", "lam", "lao", "lat", "lav", "lez", "lin",
        "lit", "lol", "loz", "ltz", "lua", "lub", "lug", "lui", "lun", "luo", "lus", "mad", "mag", "mah",
        "mai", "mak", "mal", "man", "map", "mar", "mas", "mdr", "men", "mga", "mic", "min", "mis", "mkd",
        "mkh", "mlg", "mlt", "mni", "mno", "moh", "mol", "mon", "mos", "mri", "msa", "mul", "mun", "mus",
        "mwr", "mya", "myn", "nah", "nai", "nau", "nav", "nbl", "nde", "ndo", "nep", "new", "nia", "nic",
        "niu", "nld", "non", "nor", "nso", "nub", "nzi", "nya", "nym", "nyn", "nyo", "oci", "oji", "ori",
        "orm", "osa", "oss", "ota", "oto", "paa", "pag", "pal", "pam", "pan", "pap", "pau", "peo", "phi",
        "phn", "pli", "pol", "pon", "por", "pra", "pro", "pus", "que", "raj", "rap", "rar", "roa", "roh",
        "rom", "ron", "run", "rus", "sad", "sag", "sah", "sai", "sal", "sam", "san", "sas", "sat", "sco",
        "sel", "sem", "sga", "shn", "sid", "sin", "sio", "sit", "sla", "slk", "slv", "smi", "smo", "sna",
        "snd", "snk", "sog", "som", "son", "sot", "spa", "sqi", "srd", "srp", "srr", "ssa", "ssw", "suk",
        "sun", "sus", "sux", "swa", "swe", "syr", "tah", "tai", "tam", "tat", "tel", "tem", "ter", "tet",
        "tgk", "tgl", "tha", "tig", "tir", "tiv", "tkl", "tli", "tmh", "tog", "ton", "tpi", "tsi", "tsn",
        "tso", "tuk", "tum", "tur", "tut", "tvl", "twi", "tyv", "uga", "uig", "ukr", "umb", "und", "urd",
        "uzb", "vai", "ven", "vie", "vol", "vot", "wak", "wal", "war", "was", "wen", "wol", "xho", "yao",
        "yap", "yid", "yor", "ypk", "zap", "zen", "zha", "zho", "znd", "zul", "zun",
    };
    return codes;
}

std::optional<size_t> languageIndex(std::string_view code)
{
    const auto& codes = languageCodes();
    for (size_t i = 0; i < codes.size(); ++i)
        if (codes[i] == code)
            return i;
    return std::nullopt;
}

std::string entryTypeName(uint8_t t)
{
    switch (t) {
    case 1: return "PlayItem";
    case 2: return "SubPath";
    case 3: return "IM PIP";
    default: return "";
    }
}

const std::vector<std::string>& subPathTypeItems()
{
    static const std::vector<std::string> items{"-", "-", "p. Audio", "IG menu", "Text sub", "OoM Sync", "OoM Async",
                                                "IM Sync"};
    return items;
}

std::string subPathTypeName(uint8_t type)
{
    return type < 8 ? subPathTypeItems()[type] : std::to_string(type);
}

std::string subPathTypeHint(uint8_t type)
{
    switch (type) {
    case 0:
    case 1: return "reserved";
    case 2: return "Primary audio presentation path of the Browsable slideshow";
    case 3: return "Interactive Graphics presentation menu";
    case 4: return "Text subtitle presentation path";
    case 5: return "Out-of-mux and Synchronous type of one or more elementary streams path";
    case 6: return "Out-of-mux and Asynchronous type of Picture-in-Picture presentation path";
    case 7: return "In-mux and Synchronous type of Picture-in-Picture presentation path";
    default: return "reserved";
    }
}

std::string applicationTypeName(uint8_t type)
{
    static const char* names[] = {"res.",
                                  "Main TS for a Movie",
                                  "Main TS for a Time based slide show",
                                  "Main TS for a Browsable slide show",
                                  "Sub TS for a Browsable slide show",
                                  "Sub TS for a Interactive Graphics menu",
                                  "Sub TS for a Text subtitle",
                                  "Sub TS for a one or more elementary streams path"};
    return type < 8 ? names[type] : "res.";
}

std::string playbackTypeName(uint8_t type)
{
    switch (type) {
    case 1: return "Sequential";
    case 2: return "Random";
    case 3: return "Shuffle";
    default: return std::to_string(type);
    }
}

std::string markTypeName(uint8_t type)
{
    switch (type) {
    case 0: return "";
    case 1: return "entry-mark";
    case 2: return "link point";
    default: return std::to_string(type);
    }
}

const std::vector<std::string>& entryTypeItems()
{
    static const std::vector<std::string> items{"---", "PlayItem", "SubPath", "IM PIP"};
    return items;
}

const std::vector<std::string>& videoCodingItems()
{
    static const std::vector<std::string> items{"MPEG-2", "AVC", "VC1"};
    return items;
}

const std::vector<std::string>& audioCodingItems()
{
    static const std::vector<std::string> items{"LPCM", "DD", "DTS", "Dolby Lossless", "DD+",
                                                "DTS-HD ex. XLL", "DTS-HD XLL", "DD+", "DTS-HD"};
    return items;
}

namespace {
std::vector<std::string> attributeRange(size_t from, size_t to)
{
    const auto& n = streamAttributeNames();
    return {n.begin() + static_cast<std::ptrdiff_t>(from), n.begin() + static_cast<std::ptrdiff_t>(to) + 1};
}
}  // namespace

std::vector<std::string> videoFormatItems() { return attributeRange(0, 7); }
std::vector<std::string> frameRateItems() { return attributeRange(16, 23); }
std::vector<std::string> audioFormatItems() { return attributeRange(32, 44); }
std::vector<std::string> sampleRateItems() { return attributeRange(48, 62); }

uint8_t videoCodingType(size_t item)
{
    static const uint8_t types[] = {0x02, 0x1B, 0xEA};
    return item < 3 ? types[item] : 0x1B;
}

std::optional<size_t> videoCodingItem(uint8_t codingType)
{
    switch (codingType) {
    case 0x02: return 0;
    case 0x1B: return 1;
    case 0xEA: return 2;
    default: return std::nullopt;
    }
}

uint8_t audioCodingType(size_t item)
{
    if (item <= 6)
        return static_cast<uint8_t>(0x80 + item);
    return item == 7 ? 0xA1 : 0xA2;
}

std::optional<size_t> audioCodingItem(uint8_t codingType)
{
    if (!isAudioCoding(codingType))
        return std::nullopt;
    return codingType < 0x87 ? size_t(codingType - 0x80) : size_t(codingType - 0x9A);
}

std::optional<std::string> audioCodingHint(size_t item)
{
    return pick({{0, "HDMV LPCM audio stream for Primary audio"},
                 {1, "Dolby Digital (AC-3) audio stream for Primary audio"},
                 {2, "DTS audio stream for Primary audio"},
                 {3, "Dolby Lossless audio stream for Primary audio"},
                 {4, "Dolby Digital Plus audio stream for Primary audio"},
                 {5, "DTS-HD audio stream except XLL for Primary audio"},
                 {6, "DTS-HD audio stream XLL for Primary audio"},
                 {7, "Dolby Digital Plus audio stream for Secondary audio"},
                 {8, "DTS-HD audio stream for Secondary audio stream"}},
                item);
}

std::optional<std::string> audioFormatHint(size_t item)
{
    return pick({{1, "single mono channel"},
                 {3, "stereo (2-channel)"},
                 {6, "multi-channel"},
                 {12, "stereo (2-channel) and multi-channel for the DTS-HD/Dolby Lossless"}},
                item);
}

std::optional<std::string> entryTypeHint(size_t item)
{
    return pick({{1, "Identify an elementary stream of the Clip used by the PlayItem."},
                 {2, "Identify an elementary stream of the Clip used by a SubPath with SubPath_type set to 2,3,4,5 "
                     "or 6 associated with the PlayItem."},
                 {3, "Identify an elementary stream of the Clip used by a SubPath with SubPath_type set to 7 (IM "
                     "Sync) associated with the PlayItem."}},
                item);
}

std::optional<std::string> videoCodingHint(size_t item)
{
    return pick({{0, "MPEG-2 video stream for Primary / Secondary video"},
                 {1, "MPEG-4 AVC video stream for Primary / Secondary video"},
                 {2, "SMPTE VC-1 video stream for Primary / Secondary video"}},
                item);
}

void appendTimeText45k(std::string& out, uint32_t ticks)
{
    const uint32_t ms = ticks / 45;
    appendClockText(out, ms / 3600000, ms % 3600000, '.');
}

std::string timeText45k(uint32_t ticks)
{
    std::string text;
    appendTimeText45k(text, ticks);
    return text;
}

uint32_t ticksFromTimeText45k(std::string_view text)
{
    auto piece = [&](size_t from, size_t len) -> uint32_t {
        if (from >= text.size())
            return 0;
        const int64_t v = core::textToInteger(text.substr(from, len));
        return v < 0 ? 0 : static_cast<uint32_t>(v);
    };
    return piece(0, 2) * 162000000u + piece(3, 2) * 2700000u + piece(6, 2) * 45000u + piece(9, 3) * 45u;
}

std::string timeOfDayText45k(uint32_t ticks)
{
    const auto ms = static_cast<uint32_t>(uint64_t{ticks} * 1000 / 45000);
    std::string text;
    appendClockText(text, ms / 3600000 % 24, ms % 3600000, ',');
    return text;
}

}  // namespace mirtal::playlist
