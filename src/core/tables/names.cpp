#include "tables/names.h"

namespace orvanta {

namespace {

// English: the program's own names. The signs as the sign table's English
// names, the short sign names as the position texts write them ("Ari"),
// the bodies as the chart's labels ("Asc" for the ascendant). The
// two-letter labels are those English-language charts print: Su, Mo, Ma,
// Me, Ju, Ve, Sa, Ra, Ke for the grahas (falguniastrologer.com, "Kundli")
// and As for the ascendant (jyotishachandrika.blogspot.com, "Acronyms /
// Notations in this blog"). The nakshatras keep their Sanskrit names, spelt
// as in the chart's nakshatra list, since English has no names of its own
// for them.
constexpr NameTable kEnglish = {
    {"Aries", "Taurus", "Gemini", "Cancer", "Leo", "Virgo", "Libra", "Scorpio", "Sagittarius",
     "Capricorn", "Aquarius", "Pisces"},
    {"Ari", "Tau", "Gem", "Can", "Leo", "Vir", "Lib", "Sco", "Sag", "Cap", "Aqu", "Pis"},
    {"Sun", "Moon", "Mercury", "Venus", "Mars", "Jupiter", "Saturn", "Rahu", "Ketu", "Asc"},
    {"Su", "Mo", "Me", "Ve", "Ma", "Ju", "Sa", "Ra", "Ke", "As"},
    {"Ashwini",
     "Bharani",
     "Krittika",
     "Rohini",
     "Mrigashira",
     "Ardra",
     "Punarvasu",
     "Pushya",
     "Ashlesha",
     "Magha",
     "Purva Phalguni",
     "Uttara Phalguni",
     "Hasta",
     "Chitra",
     "Swati",
     "Vishakha",
     "Anuradha",
     "Jyeshtha",
     "Mula",
     "Purva Ashadha",
     "Uttara Ashadha",
     "Shravana",
     "Dhanishta",
     "Shatabhisha",
     "Purva Bhadrapada",
     "Uttara Bhadrapada",
     "Revati"},
};

// Sanskrit in Latin letters. Signs: the sign table's Vedic names (Mesha ..
// Meena, with its Kataka, Thula and Dhanus), so that the chart and the
// sign's attributes agree; a cell shows the whole name. Bodies: Surya,
// Chandra, Mangala, Budha, Shukra, Shani, Rahu, Ketu as Simple English
// Wikipedia's "Navagraha" lists them, Guru for Jupiter as
// jatakaphalasaar.com's "The Planets in Hindu Jyotisha" (Wikipedia gives
// Brihaspati, "Dev Guru"), and Lagna for the ascendant. The two-letter
// labels are the program's own rule, not a source's: the first letters of
// each name, Sk for Shukra and Sa for Shani so that no two bodies share
// one. Nakshatras: the chart's nakshatra list, as the English table.
constexpr NameTable kSanskrit = {
    {"Mesha", "Vrishabha", "Mithuna", "Kataka", "Simha", "Kanya", "Thula", "Vrischika", "Dhanus",
     "Makara", "Kumbha", "Meena"},
    {"Mesha", "Vrishabha", "Mithuna", "Kataka", "Simha", "Kanya", "Thula", "Vrischika", "Dhanus",
     "Makara", "Kumbha", "Meena"},
    {"Surya", "Chandra", "Budha", "Shukra", "Mangala", "Guru", "Shani", "Rahu", "Ketu", "Lagna"},
    {"Su", "Ch", "Bu", "Sk", "Ma", "Gu", "Sa", "Ra", "Ke", "La"},
    kEnglish.nakshatras,
};

// Devanagari, as Hindi readers write the names. Signs: the list of twelve
// on onlineschem.com's "राशि चक्र (Zodiac Sign) का विवरण" (मेष .. मीन,
// वृषभ, कुंभ with the anusvara; behtarlife.com writes वृष and कुम्भ).
// Bodies: the nine grahas of pragya-path.blogspot.com's "ग्रह" (सूर्य,
// चन्द्र, मंगल, बुध, गुरु, शुक्र, शनि, राहु, केतु; void.ai's "नवग्रह" writes
// चंद्र), and लग्न for the ascendant as omasttro.in's "जन्म कुंडली" names
// the first house. Nakshatras: the Devanagari of Wikipedia's "List of
// Nakshatras", in the Hindi forms (मृगशिरा, पूर्वाफाल्गुनी, स्वाती,
// पूर्वाषाढ़ा) where the list gives the Sanskrit stem. The short labels are
// the program's own rule, not a source's: each name's first syllable (सू,
// चं, बु, शु, मं, गु, श, रा, के, ल).
constexpr NameTable kDevanagari = {
    {"मेष", "वृषभ", "मिथुन", "कर्क", "सिंह", "कन्या", "तुला", "वृश्चिक", "धनु", "मकर", "कुंभ", "मीन"},
    {"मेष", "वृषभ", "मिथुन", "कर्क", "सिंह", "कन्या", "तुला", "वृश्चिक", "धनु", "मकर", "कुंभ", "मीन"},
    {"सूर्य", "चन्द्र", "बुध", "शुक्र", "मंगल", "गुरु", "शनि", "राहु", "केतु", "लग्न"},
    {"सू", "चं", "बु", "शु", "मं", "गु", "श", "रा", "के", "ल"},
    {"अश्विनी", "भरणी",   "कृत्तिका", "रोहिणी",     "मृगशिरा",      "आर्द्रा",    "पुनर्वसु",
     "पुष्य",    "आश्लेषा",  "मघा",    "पूर्वाफाल्गुनी", "उत्तराफाल्गुनी", "हस्त",      "चित्रा",
     "स्वाती",  "विशाखा", "अनुराधा", "ज्येष्ठा",      "मूल",          "पूर्वाषाढ़ा", "उत्तराषाढ़ा",
     "श्रवण",   "धनिष्ठा", "शतभिषा", "पूर्वाभाद्रपद", "उत्तराभाद्रपद", "रेवती"},
};

// Tamil: the names Tamil readers use, not letter-by-letter
// transliterations. Signs and nakshatras: the everyday names of the Tamil
// almanac (the "நடைமுறைப் பெயர்" column of dhinasari.com's "நட்சத்திரங்கள்
// – 27" with its 12 rasis, and Tamil Wikipedia's "நட்சத்திரம் (சோதிடம்)").
// The sources disagree on three: அஸ்வதி / அஸ்வினி, மிருகசீர்ஷம் / மிருகசீரிஷம்
// and ஹஸ்தம் / அஸ்தம்; the more widely printed அஸ்வினி, மிருகசீரிஷம் and அஸ்தம்
// are used. Bodies: the nine grahas as muthamizhmalar.com's "நட்சத்திரகள் 27"
// names them (சூரியன் .. கேது), and லக்னம் for the ascendant as
// sitharsastrology.com's horoscope readings write it. The short labels are
// the program's own rule, not a source's: each name's first syllable (சூ,
// சந், பு, சு, செ, கு, ச, ரா, கே, ல).
constexpr NameTable kTamil = {
    {"மேஷம்", "ரிஷபம்", "மிதுனம்", "கடகம்", "சிம்மம்", "கன்னி", "துலாம்", "விருச்சிகம்", "தனுசு", "மகரம்",
     "கும்பம்", "மீனம்"},
    {"மேஷம்", "ரிஷபம்", "மிதுனம்", "கடகம்", "சிம்மம்", "கன்னி", "துலாம்", "விருச்சிகம்", "தனுசு", "மகரம்",
     "கும்பம்", "மீனம்"},
    {"சூரியன்", "சந்திரன்", "புதன்", "சுக்கிரன்", "செவ்வாய்", "குரு", "சனி", "ராகு", "கேது", "லக்னம்"},
    {"சூ", "சந்", "பு", "சு", "செ", "கு", "ச", "ரா", "கே", "ல"},
    {"அஸ்வினி",   "பரணி",   "கார்த்திகை", "ரோகிணி",   "மிருகசீரிஷம்", "திருவாதிரை", "புனர்பூசம்",
     "பூசம்",     "ஆயில்யம்", "மகம்",      "பூரம்",     "உத்திரம்",     "அஸ்தம்",       "சித்திரை",
     "சுவாதி",   "விசாகம்", "அனுஷம்",    "கேட்டை",    "மூலம்",       "பூராடம்",     "உத்திராடம்",
     "திருவோணம்", "அவிட்டம்", "சதயம்",     "பூரட்டாதி", "உத்திரட்டாதி", "ரேவதி"},
};

// Telugu. Signs: the twelve rasis of oktelugu.com's "Zodiac Sign" article
// on the panchangam (మేషం .. మీనం, కర్కాటకం, ధనుస్సు). Nakshatras: the
// table "నక్షత్ర త్యాజ మరియు అమృత కాల వివరములు" of teluguone.com (పుష్యమి, మఖ, పుబ్బ,
// ఉత్తర, చిత్త, జ్యేష్ఠ, శ్రవణం, శతభిషం); it writes అశ్వని, ఆరుద్ర and
// పూర్వాషాడ where chintamani-free-astrology.blogspot.com's list of the 27
// writes అశ్విని and ఆర్ద్ర and its own ఉత్తరాషాఢ has ఢ: those are used.
// Bodies: baala-siksha.blogspot.com's "నవ గ్రహాలు" (సూర్యుడు, చంద్రుడు,
// బుధుడు, గురుడు, శుక్రుడు, శని, రాహువు, కేతువు), కుజుడు for Mars as
// telugu.asianetnews.com's "కుజదోషం" writes it, and లగ్నం as the same page
// writes the ascendant. The short labels are the program's own rule, not a
// source's: each name's first syllable (సూ, చం, బు, శు, కు, గు, శ, రా, కే, ల).
constexpr NameTable kTelugu = {
    {"మేషం", "వృషభం", "మిథునం", "కర్కాటకం", "సింహం", "కన్య", "తుల", "వృశ్చికం", "ధనుస్సు", "మకరం", "కుంభం",
     "మీనం"},
    {"మేషం", "వృషభం", "మిథునం", "కర్కాటకం", "సింహం", "కన్య", "తుల", "వృశ్చికం", "ధనుస్సు", "మకరం", "కుంభం",
     "మీనం"},
    {"సూర్యుడు", "చంద్రుడు", "బుధుడు", "శుక్రుడు", "కుజుడు", "గురుడు", "శని", "రాహువు", "కేతువు", "లగ్నం"},
    {"సూ", "చం", "బు", "శు", "కు", "గు", "శ", "రా", "కే", "ల"},
    {"అశ్విని", "భరణి",    "కృత్తిక",  "రోహిణి",   "మృగశిర", "ఆర్ద్ర",  "పునర్వసు", "పుష్యమి",   "ఆశ్లేష",
     "మఖ",   "పుబ్బ",   "ఉత్తర",   "హస్త",   "చిత్త",   "స్వాతి",   "విశాఖ",     "అనూరాధ",   "జ్యేష్ఠ",
     "మూల",  "పూర్వాషాఢ", "ఉత్తరాషాఢ", "శ్రవణం", "ధనిష్ఠ",  "శతభిషం", "పూర్వాభాద్ర", "ఉత్తరాభాద్ర", "రేవతి"},
};

// Kannada. Signs: the twelve rasis as Kannada Wikipedia's "ರಾಶಿ" lists them
// in its text (ಮೇಷ .. ಮೀನ, ಕಟಕ, ಕನ್ಯಾ, ತುಲಾ), as Kannada daily horoscopes
// (kannada.asianetnews.com) print them; the same page's table and
// udayavani.com write ಕರ್ಕಾಟಕ. Bodies: the nine grahas of the Mysore
// University Encyclopaedia's "ಗ್ರಹಕುಂಡಲಿ" (Kannada Wikisource: ಸೂರ್ಯ,
// ಚಂದ್ರ, ಬುಧ, ಗುರು, ಶುಕ್ರ, ಶನಿ, ರಾಹು, ಕೇತು), ಕುಜ for Mars as
// udayavani.com's "ಕುಜ ಕ್ರೂರ ಗ್ರಹ" writes it (the encyclopaedia: ಅಂಗಾರಕ),
// and ಲಗ್ನ as channeshashastri.blogspot.com writes the ascendant.
// Nakshatras, each checked against a Kannada page: ಅಶ್ವಿನಿ, ಭರಣಿ, ಕೃತ್ತಿಕಾ,
// ರೋಹಿಣಿ, ಮೃಗಶಿರಾ, ಆರಿದ್ರಾ, ಪುನರ್ವಸು in the numbered list of
// spardhavani.com's "Nakshatragalu in Kannada"; ಆರಿದ್ರಾ, ಪುನರ್ವಸು, ಪುಷ್ಯ,
// ಆಶ್ಲೇಷ, ಮಖ, ಪುಬ್ಬ, ಉತ್ತರ, ಹಸ್ತ, ಚಿತ್ತ, ಸ್ವಾತಿ, ವಿಶಾಖ in the eleven rain
// stars of theruralmirror.com's and cropinsurancenews.com's rain-proverb
// pages; ಅನುರಾಧ, ಮೂಲ, ಶ್ರವಣ, ಧನಿಷ್ಠ, ಶತಭಿಷ, ರೇವತಿ in the list "ಕನ್ನಡ
// ನಕ್ಷತ್ರದ ಹೆಸರು" of jyotishyamati.blogspot.com's "ಪಂಚಾಂಗ"; ಪೂರ್ವಾಷಾಢ in
// etvbharat.com's Kannada daily panchanga; ಉತ್ತರಾಷಾಢ as Kannada Wikipedia's
// page of that name; ಉತ್ತರಾಭಾದ್ರ, ಶತಭಿಷ, ಮೂಲ, ಪುಬ್ಬ, ವಿಶಾಖ, ರೋಹಿಣಿ in
// kannada.asianetnews.com's daily panchangas; ಕೃತ್ತಿಕಾ also in
// thekarnatakanews.com, ಮೃಗಶಿರಾ in savaltv.com. Where the pages differ
// the more common form is kept: ಆರಿದ್ರಾ (the chanted verse of
// jyotishachandamama.blogspot.com writes ಆರ್ದ್ರಾ), ಆಶ್ಲೇಷ and ಮಖ (the verse
// ಮಖಾ, a proverb ಮಘಾ), ಪುಬ್ಬ (prajashakthitv.com and jyotishyamati write
// the old Kannada ಹುಬ್ಬ). Two are not found letter for letter: ಜ್ಯೇಷ್ಠ
// (jyotishyamati's list misprints it ಜ್ಯೆಷ್ಟ್ಯ, the verse has ಜ್ಯೇಷ್ಠಾ) and
// ಪೂರ್ವಾಭಾದ್ರ (jyotishyamati writes it in two words, ಪೂರ್ವಾ ಭಾದ್ರ; joined
// here as the panchangas join ಉತ್ತರಾಭಾದ್ರ).
// The short labels are the program's own rule, not a source's: each name's
// first syllable (ಸೂ, ಚಂ, ಬು, ಶು, ಕು, ಗು, ಶ, ರಾ, ಕೇ, ಲ).
constexpr NameTable kKannada = {
    {"ಮೇಷ", "ವೃಷಭ", "ಮಿಥುನ", "ಕಟಕ", "ಸಿಂಹ", "ಕನ್ಯಾ", "ತುಲಾ", "ವೃಶ್ಚಿಕ", "ಧನು", "ಮಕರ", "ಕುಂಭ", "ಮೀನ"},
    {"ಮೇಷ", "ವೃಷಭ", "ಮಿಥುನ", "ಕಟಕ", "ಸಿಂಹ", "ಕನ್ಯಾ", "ತುಲಾ", "ವೃಶ್ಚಿಕ", "ಧನು", "ಮಕರ", "ಕುಂಭ", "ಮೀನ"},
    {"ಸೂರ್ಯ", "ಚಂದ್ರ", "ಬುಧ", "ಶುಕ್ರ", "ಕುಜ", "ಗುರು", "ಶನಿ", "ರಾಹು", "ಕೇತು", "ಲಗ್ನ"},
    {"ಸೂ", "ಚಂ", "ಬು", "ಶು", "ಕು", "ಗು", "ಶ", "ರಾ", "ಕೇ", "ಲ"},
    {"ಅಶ್ವಿನಿ", "ಭರಣಿ",      "ಕೃತ್ತಿಕಾ",   "ರೋಹಿಣಿ", "ಮೃಗಶಿರಾ", "ಆರಿದ್ರಾ", "ಪುನರ್ವಸು",   "ಪುಷ್ಯ",      "ಆಶ್ಲೇಷ",
     "ಮಖ",   "ಪುಬ್ಬ",     "ಉತ್ತರ",     "ಹಸ್ತ",  "ಚಿತ್ತ",    "ಸ್ವಾತಿ",  "ವಿಶಾಖ",      "ಅನುರಾಧ",    "ಜ್ಯೇಷ್ಠ",
     "ಮೂಲ",  "ಪೂರ್ವಾಷಾಢ", "ಉತ್ತರಾಷಾಢ", "ಶ್ರವಣ", "ಧನಿಷ್ಠ",   "ಶತಭಿಷ",  "ಪೂರ್ವಾಭಾದ್ರ", "ಉತ್ತರಾಭಾದ್ರ", "ರೇವತಿ"},
};

// Malayalam: the names Kerala's readers use. Signs: the Malayalam names
// (മേടം, ഇടവം, .. as the Malayalam Wikisource text "ജ്യോതിഷവും
// ജ്യോതിശ്ശാസ്ത്രവും", p. 40, gives them: മേഷം became മേടം, ഋഷഭം ഇടവം);
// nakshatras: kaakkoo.blogspot.com's "മലയാളം പഞ്ചാംഗത്തിലെ നക്ഷത്രങ്ങൾ (27)"
// (അശ്വതി, മകയിരം, പുണർതം, .. പൂരൂരുട്ടാതി, ഉത്രട്ടാതി; the list of
// blog.indianastrologysoftware.com agrees but for ഉതൃട്ടാതി). Bodies:
// Malayalam Wikipedia's "നവഗ്രഹങ്ങൾ", in the names it gives beside its
// ആദിത്യൻ and കുജൻ: സൂര്യൻ, ചന്ദ്രൻ, ബുധൻ, ശുക്രൻ, ചൊവ്വ, വ്യാഴം, ശനി, രാഹു,
// കേതു; ലഗ്നം for the ascendant as pothoppuramkavithakal.blogspot.com's
// "ജാതകം" writes it. The short labels are the program's own
// rule, not a source's: each name's first syllable (സൂ, ച, ബു, ശു, ചൊ, വ്യാ,
// ശ, രാ, കേ, ല). Written with the atomic chillu letters (ൻ, ർ).
constexpr NameTable kMalayalam = {
    {"മേടം", "ഇടവം", "മിഥുനം", "കർക്കടകം", "ചിങ്ങം", "കന്നി", "തുലാം", "വൃശ്ചികം", "ധനു", "മകരം", "കുംഭം",
     "മീനം"},
    {"മേടം", "ഇടവം", "മിഥുനം", "കർക്കടകം", "ചിങ്ങം", "കന്നി", "തുലാം", "വൃശ്ചികം", "ധനു", "മകരം", "കുംഭം",
     "മീനം"},
    {"സൂര്യൻ", "ചന്ദ്രൻ", "ബുധൻ", "ശുക്രൻ", "ചൊവ്വ", "വ്യാഴം", "ശനി", "രാഹു", "കേതു", "ലഗ്നം"},
    {"സൂ", "ച", "ബു", "ശു", "ചൊ", "വ്യാ", "ശ", "രാ", "കേ", "ല"},
    {"അശ്വതി", "ഭരണി",  "കാർത്തിക", "രോഹിണി",  "മകയിരം", "തിരുവാതിര", "പുണർതം",    "പൂയം",      "ആയില്യം",
     "മകം",   "പൂരം",   "ഉത്രം",    "അത്തം",    "ചിത്തിര", "ചോതി",     "വിശാഖം",   "അനിഴം",    "തൃക്കേട്ട",
     "മൂലം",   "പൂരാടം", "ഉത്രാടം",  "തിരുവോണം", "അവിട്ടം", "ചതയം",     "പൂരൂരുട്ടാതി", "ഉത്രട്ടാതി", "രേവതി"},
};

// Bengali. Signs: reflectu.in's "কোন দিন জন্ম হলে কী রাশি হয়" (মেষ, বৃষ,
// মিথুন, কর্কট, .. কুম্ভ, মীন). Nakshatras: the 27 names "of the Bengali
// almanac" in Jagadananda Ray's "গ্রহ-নক্ষত্র" (Bengali Wikisource, p. 248),
// in today's spelling (পুনর্বসু for its পুনর্ব্বসু): পুষ্যা, পূর্বফল্গুনী,
// হস্তা, স্বাতি, মূলা, শ্রবণা, পূর্বভাদ্রপদা. Bengali Wikipedia's
// "নক্ষত্র (চন্দ্রনিবাস)" writes স্বাতী, and astrologers' pages
// ফাল্গুনী and ভাদ্রপদ; the book is kept. Bodies: the nine grahas of
// souvaggerbondhu.in's "নব গ্রহ রহস্য" (রবি, চন্দ্র, মঙ্গল, বুধ, বৃহস্পতি,
// শুক্র, শনি, রাহু, কেতু), and লগ্ন for the ascendant (anandabazar.com's
// "জন্মনক্ষত্র ও তার ফল"). The short labels are the program's own rule, not
// a source's: each name's first letter (র, চ, বু, শু, ম, বৃ, শ, রা, কে, ল).
constexpr NameTable kBengali = {
    {"মেষ", "বৃষ", "মিথুন", "কর্কট", "সিংহ", "কন্যা", "তুলা", "বৃশ্চিক", "ধনু", "মকর", "কুম্ভ", "মীন"},
    {"মেষ", "বৃষ", "মিথুন", "কর্কট", "সিংহ", "কন্যা", "তুলা", "বৃশ্চিক", "ধনু", "মকর", "কুম্ভ", "মীন"},
    {"রবি", "চন্দ্র", "বুধ", "শুক্র", "মঙ্গল", "বৃহস্পতি", "শনি", "রাহু", "কেতু", "লগ্ন"},
    {"র", "চ", "বু", "শু", "ম", "বৃ", "শ", "রা", "কে", "ল"},
    {"অশ্বিনী", "ভরণী",   "কৃত্তিকা", "রোহিণী",     "মৃগশিরা",      "আর্দ্রা",    "পুনর্বসু",
     "পুষ্যা",   "অশ্লেষা", "মঘা",    "পূর্বফল্গুনী",   "উত্তরফল্গুনী",   "হস্তা",     "চিত্রা",
     "স্বাতি",  "বিশাখা", "অনুরাধা", "জ্যেষ্ঠা",     "মূলা",         "পূর্বাষাঢ়া", "উত্তরাষাঢ়া",
     "শ্রবণা",  "ধনিষ্ঠা", "শতভিষা", "পূর্বভাদ্রপদা", "উত্তরভাদ্রপদা", "রেবতী"},
};

// Gujarati. Signs: Gujarati Wikipedia's "રાશિ" (મેષ .. મીન). Nakshatras:
// the first fourteen as vedicastrology-gujarati.blogspot.com's "૨૭ નક્ષત્રો"
// gives them (કૃતિકા, મૃગશીર્ષ, પૂર્વાફાલ્ગુની); the rest as jainqq.org's
// Gujarati texts write them: સ્વાતિ, વિશાખા, અનુરાધા, જ્યેષ્ઠા, ઉત્તરાષાઢા,
// શ્રવણ, ધનિષ્ઠા, શતભિષા in "ભવિષ્ય વાણી" (its pages 199-200 there), મૂળ with the
// Gujarati ળ and પૂર્વાષાઢા in "જ્યોતિષ અને ઋતુપરિવર્તન", પૂર્વાષાઢા again
// in the nakshatra table of text 008460, and પૂર્વભાદ્રપદ, ઉત્તરભાદ્રપદ,
// રેવતી in "બૃહત્ ક્ષેત્ર સમાસ" (krishnaastro.wordpress.com also writes
// પૂર્વભાદ્રપદ). The texts differ for the two Bhadrapadas ("ભવિષ્ય વાણી":
// પૂર્વા ભાદ્રપદા, text 008460: પૂર્વ ભાદ્રપદ, ઉત્તર ભાદ્રપદ, રેવતિ); the
// joined form that two of them share is kept. Bodies: jainqq.org's text of the nine
// grahas (સૂર્ય, ચંદ્ર, મંગળ, બુધ, ગુરુ, શુક્ર, શનિ, રાહુ, કેતુ), and લગ્ન for
// the ascendant as the same site's "શિલ્પ રત્નાકર" writes it. The short
// labels are the program's own rule, not a source's: each name's first
// syllable (સૂ, ચં, બુ, શુ, મં, ગુ, શ, રા, કે, લ).
constexpr NameTable kGujarati = {
    {"મેષ", "વૃષભ", "મિથુન", "કર્ક", "સિંહ", "કન્યા", "તુલા", "વૃશ્ચિક", "ધનુ", "મકર", "કુંભ", "મીન"},
    {"મેષ", "વૃષભ", "મિથુન", "કર્ક", "સિંહ", "કન્યા", "તુલા", "વૃશ્ચિક", "ધનુ", "મકર", "કુંભ", "મીન"},
    {"સૂર્ય", "ચંદ્ર", "બુધ", "શુક્ર", "મંગળ", "ગુરુ", "શનિ", "રાહુ", "કેતુ", "લગ્ન"},
    {"સૂ", "ચં", "બુ", "શુ", "મં", "ગુ", "શ", "રા", "કે", "લ"},
    {"અશ્વિની", "ભરણી",   "કૃતિકા",  "રોહિણી",     "મૃગશીર્ષ",      "આર્દ્રા",    "પુનર્વસુ",
     "પુષ્ય",    "આશ્લેષા",  "મઘા",    "પૂર્વાફાલ્ગુની", "ઉત્તરાફાલ્ગુની", "હસ્ત",      "ચિત્રા",
     "સ્વાતિ",  "વિશાખા", "અનુરાધા", "જ્યેષ્ઠા",      "મૂળ",          "પૂર્વાષાઢા", "ઉત્તરાષાઢા",
     "શ્રવણ",   "ધનિષ્ઠા", "શતભિષા", "પૂર્વભાદ્રપદ",  "ઉત્તરભાદ્રપદ",  "રેવતી"},
};

template <std::size_t N>
std::string_view At(const std::array<std::string_view, N>& names, int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= N) return {};
  return names[static_cast<std::size_t>(index)];
}

}  // namespace

const NameTable& NamesOf(NameScript script) {
  switch (script) {
    case NameScript::English:
      return kEnglish;
    case NameScript::Sanskrit:
      return kSanskrit;
    case NameScript::Devanagari:
      return kDevanagari;
    case NameScript::Tamil:
      return kTamil;
    case NameScript::Telugu:
      return kTelugu;
    case NameScript::Kannada:
      return kKannada;
    case NameScript::Malayalam:
      return kMalayalam;
    case NameScript::Bengali:
      return kBengali;
    case NameScript::Gujarati:
      return kGujarati;
  }
  return kEnglish;
}

std::string_view NameScriptKey(NameScript script) {
  switch (script) {
    case NameScript::English:
      return "english";
    case NameScript::Sanskrit:
      return "sanskrit";
    case NameScript::Devanagari:
      return "devanagari";
    case NameScript::Tamil:
      return "tamil";
    case NameScript::Telugu:
      return "telugu";
    case NameScript::Kannada:
      return "kannada";
    case NameScript::Malayalam:
      return "malayalam";
    case NameScript::Bengali:
      return "bengali";
    case NameScript::Gujarati:
      return "gujarati";
  }
  return "english";
}

std::optional<NameScript> NameScriptOfKey(std::string_view key) {
  for (const NameScript script : kNameScripts) {
    if (NameScriptKey(script) == key) return script;
  }
  return std::nullopt;
}

std::string_view NameScriptCaption(NameScript script) {
  switch (script) {
    case NameScript::English:
      return "English";
    case NameScript::Sanskrit:
      return "Sanskrit (Latin letters)";
    case NameScript::Devanagari:
      return "Devanagari (Hindi, Sanskrit)";
    case NameScript::Tamil:
      return "Tamil";
    case NameScript::Telugu:
      return "Telugu";
    case NameScript::Kannada:
      return "Kannada";
    case NameScript::Malayalam:
      return "Malayalam";
    case NameScript::Bengali:
      return "Bengali";
    case NameScript::Gujarati:
      return "Gujarati";
  }
  return "English";
}

std::string_view SignNameIn(NameScript script, int sign) {
  return At(NamesOf(script).signs, sign);
}
std::string_view SignShortIn(NameScript script, int sign) {
  return At(NamesOf(script).signShort, sign);
}
std::string_view BodyNameIn(NameScript script, int body) {
  return At(NamesOf(script).bodies, body);
}
std::string_view BodyShortIn(NameScript script, int body) {
  return At(NamesOf(script).bodyShort, body);
}
std::string_view NakshatraNameIn(NameScript script, int nakshatra) {
  return At(NamesOf(script).nakshatras, nakshatra);
}

}  // namespace orvanta
