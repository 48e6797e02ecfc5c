#include "tables/names.h"

namespace orvanta {

namespace {

// English: the program's own names. The signs as the sign table's English
// names, the short sign names as the position texts write them ("Ari"),
// the bodies as the chart's labels ("Asc" for the ascendant), and the
// two-letter labels of English-language charts (Su, Mo, Me, Ve, Ma, Ju,
// Sa, Ra, Ke, As). The nakshatras keep their Sanskrit names, spelt as in
// the chart's nakshatra list, since English has no names of its own for
// them.
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
// sign's attributes agree; a cell shows the whole name. Bodies: the grahas'
// names of Brihat Parashara Hora Shastra, ch. 3 (Surya, Chandra, Budha,
// Shukra, Mangala, Guru, Shani, Rahu, Ketu) and Lagna for the ascendant;
// the two-letter labels from them (Sk for Shukra, Sa for Shani, so that no
// two bodies share one). Nakshatras: the transliterations of the list of
// nakshatras in Wikipedia's "List of Nakshatras".
constexpr NameTable kSanskrit = {
    {"Mesha", "Vrishabha", "Mithuna", "Kataka", "Simha", "Kanya", "Thula", "Vrischika", "Dhanus",
     "Makara", "Kumbha", "Meena"},
    {"Mesha", "Vrishabha", "Mithuna", "Kataka", "Simha", "Kanya", "Thula", "Vrischika", "Dhanus",
     "Makara", "Kumbha", "Meena"},
    {"Surya", "Chandra", "Budha", "Shukra", "Mangala", "Guru", "Shani", "Rahu", "Ketu", "Lagna"},
    {"Su", "Ch", "Bu", "Sk", "Ma", "Gu", "Sa", "Ra", "Ke", "La"},
    kEnglish.nakshatras,
};

// Devanagari, as Hindi and Sanskrit readers write the names. Signs: Hindi
// Wikipedia's "राशि" (मेष .. मीन; कुम्भ with the conjunct, as in Sanskrit).
// Bodies: the Hindi names of the nine grahas (Hindi Wikipedia "नवग्रह"),
// लग्न for the ascendant; short labels the first syllable, as Hindi charts
// write them (सू, चं, बु, शु, मं, गु, श, रा, के, ल). Nakshatras: the
// Devanagari of Wikipedia's "List of Nakshatras", in the Hindi forms
// (मृगशिरा, पूर्वाफाल्गुनी, स्वाती, पूर्वाषाढ़ा) where the list gives the
// Sanskrit stem (मृगशिर, पूर्व फाल्गुनी, स्वाति): Hindi almanacs print those.
constexpr NameTable kDevanagari = {
    {"मेष", "वृषभ", "मिथुन", "कर्क", "सिंह", "कन्या", "तुला", "वृश्चिक", "धनु", "मकर", "कुम्भ", "मीन"},
    {"मेष", "वृषभ", "मिथुन", "कर्क", "सिंह", "कन्या", "तुला", "वृश्चिक", "धनु", "मकर", "कुम्भ", "मीन"},
    {"सूर्य", "चन्द्र", "बुध", "शुक्र", "मंगल", "गुरु", "शनि", "राहु", "केतु", "लग्न"},
    {"सू", "चं", "बु", "शु", "मं", "गु", "श", "रा", "के", "ल"},
    {"अश्विनी", "भरणी",   "कृत्तिका", "रोहिणी",     "मृगशिरा",      "आर्द्रा",    "पुनर्वसु",
     "पुष्य",    "आश्लेषा",  "मघा",    "पूर्वाफाल्गुनी", "उत्तराफाल्गुनी", "हस्त",      "चित्रा",
     "स्वाती",  "विशाखा", "अनुराधा", "ज्येष्ठा",      "मूल",          "पूर्वाषाढ़ा", "उत्तराषाढ़ा",
     "श्रवण",   "धनिष्ठा", "शतभिषा", "पूर्वाभाद्रपद", "उत्तराभाद्रपद", "रेवती"},
};

// Tamil: the names Tamil readers use, not letter-by-letter
// transliterations. Signs and nakshatras: the everyday names of the Tamil
// almanac (the "நடைமுறைப் பெயர்" column of dhinasari.com's list of the 27
// nakshatras and 12 rasis, and Tamil Wikipedia's "நட்சத்திரம் (சோதிடம்)").
// The sources disagree on three: அஸ்வதி / அஸ்வினி, மிருகசீர்ஷம் / மிருகசீரிஷம்
// and ஹஸ்தம் / அஸ்தம்; the more widely printed அஸ்வினி, மிருகசீரிஷம் and அஸ்தம்
// are used. Bodies: சூரியன் .. கேது and லக்னம்; the short labels of Tamil
// horoscopes (சூ, சந், பு, சு, செ, கு, ச, ரா, கே, ல).
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

// Telugu: Telugu Wikipedia's "రాశి" and "నక్షత్రము" lists, in the forms
// Telugu almanacs (panchangams) print: పుష్యమి, మఖ, పుబ్బ and ఉత్తర for
// Pushya, Magha and the two Phalgunis, చిత్త for Chitra. Bodies: the
// Telugu names of the grahas (సూర్యుడు .., కుజుడు for Mars) and లగ్నం; the
// short labels their first syllables (సూ, చం, బు, శు, కు, గు, శ, రా, కే, ల).
constexpr NameTable kTelugu = {
    {"మేషం", "వృషభం", "మిథునం", "కర్కాటకం", "సింహం", "కన్య", "తుల", "వృశ్చికం", "ధనుస్సు", "మకరం", "కుంభం",
     "మీనం"},
    {"మేషం", "వృషభం", "మిథునం", "కర్కాటకం", "సింహం", "కన్య", "తుల", "వృశ్చికం", "ధనుస్సు", "మకరం", "కుంభం",
     "మీనం"},
    {"సూర్యుడు", "చంద్రుడు", "బుధుడు", "శుక్రుడు", "కుజుడు", "గురువు", "శని", "రాహువు", "కేతువు", "లగ్నం"},
    {"సూ", "చం", "బు", "శు", "కు", "గు", "శ", "రా", "కే", "ల"},
    {"అశ్విని", "భరణి",    "కృత్తిక",  "రోహిణి",   "మృగశిర", "ఆర్ద్ర",  "పునర్వసు", "పుష్యమి",   "ఆశ్లేష",
     "మఖ",   "పుబ్బ",   "ఉత్తర",   "హస్త",   "చిత్త",   "స్వాతి",   "విశాఖ",     "అనూరాధ",   "జ్యేష్ఠ",
     "మూల",  "పూర్వాషాఢ", "ఉత్తరాషాఢ", "శ్రవణం", "ధనిష్ఠ",  "శతభిషం", "పూర్వాభాద్ర", "ఉత్తరాభాద్ర", "రేవతి"},
};

// Kannada: Kannada Wikipedia's "ರಾಶಿ" and "ನಕ್ಷತ್ರ" lists, in the forms of
// Kannada panchangas (ಪುಬ್ಬ and ಉತ್ತರ for the two Phalgunis, ಚಿತ್ತ for
// Chitra). Bodies: ಸೂರ್ಯ .., ಕುಜ for Mars, and ಲಗ್ನ; short labels their first
// syllables (ಸೂ, ಚಂ, ಬು, ಶು, ಕು, ಗು, ಶ, ರಾ, ಕೇ, ಲ).
constexpr NameTable kKannada = {
    {"ಮೇಷ", "ವೃಷಭ", "ಮಿಥುನ", "ಕರ್ಕಾಟಕ", "ಸಿಂಹ", "ಕನ್ಯಾ", "ತುಲಾ", "ವೃಶ್ಚಿಕ", "ಧನು", "ಮಕರ", "ಕುಂಭ", "ಮೀನ"},
    {"ಮೇಷ", "ವೃಷಭ", "ಮಿಥುನ", "ಕರ್ಕಾಟಕ", "ಸಿಂಹ", "ಕನ್ಯಾ", "ತುಲಾ", "ವೃಶ್ಚಿಕ", "ಧನು", "ಮಕರ", "ಕುಂಭ", "ಮೀನ"},
    {"ಸೂರ್ಯ", "ಚಂದ್ರ", "ಬುಧ", "ಶುಕ್ರ", "ಕುಜ", "ಗುರು", "ಶನಿ", "ರಾಹು", "ಕೇತು", "ಲಗ್ನ"},
    {"ಸೂ", "ಚಂ", "ಬು", "ಶು", "ಕು", "ಗು", "ಶ", "ರಾ", "ಕೇ", "ಲ"},
    {"ಅಶ್ವಿನಿ", "ಭರಣಿ",      "ಕೃತ್ತಿಕಾ",   "ರೋಹಿಣಿ", "ಮೃಗಶಿರಾ", "ಆರ್ದ್ರಾ", "ಪುನರ್ವಸು",   "ಪುಷ್ಯ",      "ಆಶ್ಲೇಷಾ",
     "ಮಘಾ",  "ಪುಬ್ಬ",     "ಉತ್ತರ",     "ಹಸ್ತ",  "ಚಿತ್ತ",    "ಸ್ವಾತಿ",  "ವಿಶಾಖ",      "ಅನುರಾಧ",    "ಜ್ಯೇಷ್ಠ",
     "ಮೂಲ",  "ಪೂರ್ವಾಷಾಢ", "ಉತ್ತರಾಷಾಢ", "ಶ್ರವಣ", "ಧನಿಷ್ಠ",   "ಶತಭಿಷ",  "ಪೂರ್ವಾಭಾದ್ರ", "ಉತ್ತರಾಭಾದ್ರ", "ರೇವತಿ"},
};

// Malayalam: the names Kerala's readers use. Signs: the Malayalam names
// (മേടം, ഇടവം, .. as the Malayalam Wikisource text "ജ്യോതിഷവും
// ജ്യോതിശ്ശാസ്ത്രവും", p. 40, gives them: മേഷം became മേടം, ഋഷഭം ഇടവം);
// nakshatras: the Malayalam calendar's names (അശ്വതി, മകയിരം, പുണർതം, ..
// Malayalam Wikipedia's "നക്ഷത്രം (ജ്യോതിഷം)"). Bodies: സൂര്യൻ .., ചൊവ്വ
// for Mars, വ്യാഴം for Jupiter, and ലഗ്നം; the short labels of Kerala
// horoscopes (ര for രവി, ച, ബു, ശു, കു for കുജൻ, ഗു, മ for മന്ദൻ, രാ, കേ, ല).
// Written with the atomic chillu letters (ൻ, ർ).
constexpr NameTable kMalayalam = {
    {"മേടം", "ഇടവം", "മിഥുനം", "കർക്കടകം", "ചിങ്ങം", "കന്നി", "തുലാം", "വൃശ്ചികം", "ധനു", "മകരം", "കുംഭം",
     "മീനം"},
    {"മേടം", "ഇടവം", "മിഥുനം", "കർക്കടകം", "ചിങ്ങം", "കന്നി", "തുലാം", "വൃശ്ചികം", "ധനു", "മകരം", "കുംഭം",
     "മീനം"},
    {"സൂര്യൻ", "ചന്ദ്രൻ", "ബുധൻ", "ശുക്രൻ", "ചൊവ്വ", "വ്യാഴം", "ശനി", "രാഹു", "കേതു", "ലഗ്നം"},
    {"ര", "ച", "ബു", "ശു", "കു", "ഗു", "മ", "രാ", "കേ", "ല"},
    {"അശ്വതി", "ഭരണി",  "കാർത്തിക", "രോഹിണി",  "മകയിരം", "തിരുവാതിര", "പുണർതം",    "പൂയം",      "ആയില്യം",
     "മകം",   "പൂരം",   "ഉത്രം",    "അത്തം",    "ചിത്തിര", "ചോതി",     "വിശാഖം",   "അനിഴം",    "തൃക്കേട്ട",
     "മൂലം",   "പൂരാടം", "ഉത്രാടം",  "തിരുവോണം", "അവിട്ടം", "ചതയം",     "പൂരുരുട്ടാതി", "ഉത്രട്ടാതി", "രേവതി"},
};

// Bengali: Bengali Wikipedia's "রাশিচক্র" (মেষ .. মীন, বৃষ for Taurus and
// কর্কট for Cancer) and the nakshatras of the Bengali almanac (পঞ্জিকা:
// পুষ্যা, হস্তা, মূলা, শ্রবণা). Bodies: the almanac's names, রবি for the
// Sun (সূর্য is the everyday word; the almanac and its weekday names use
// রবি), and লগ্ন; short labels their first letters (র, চ, বু, শু, ম, বৃ, শ,
// রা, কে, ল).
constexpr NameTable kBengali = {
    {"মেষ", "বৃষ", "মিথুন", "কর্কট", "সিংহ", "কন্যা", "তুলা", "বৃশ্চিক", "ধনু", "মকর", "কুম্ভ", "মীন"},
    {"মেষ", "বৃষ", "মিথুন", "কর্কট", "সিংহ", "কন্যা", "তুলা", "বৃশ্চিক", "ধনু", "মকর", "কুম্ভ", "মীন"},
    {"রবি", "চন্দ্র", "বুধ", "শুক্র", "মঙ্গল", "বৃহস্পতি", "শনি", "রাহু", "কেতু", "লগ্ন"},
    {"র", "চ", "বু", "শু", "ম", "বৃ", "শ", "রা", "কে", "ল"},
    {"অশ্বিনী", "ভরণী",   "কৃত্তিকা", "রোহিণী",    "মৃগশিরা",     "আর্দ্রা",    "পুনর্বসু",
     "পুষ্যা",   "অশ্লেষা", "মঘা",    "পূর্বফাল্গুনী", "উত্তরফাল্গুনী", "হস্তা",     "চিত্রা",
     "স্বাতী",  "বিশাখা", "অনুরাধা", "জ্যেষ্ঠা",    "মূলা",        "পূর্বাষাঢ়া", "উত্তরাষাঢ়া",
     "শ্রবণা",  "ধনিষ্ঠা", "শতভিষা", "পূর্বভাদ্রপদ", "উত্তরভাদ্রপদ", "রেবতী"},
};

// Gujarati: Gujarati Wikipedia's "રાશિ" (મેષ .. મીન) and "નક્ષત્ર" lists
// (મૃગશીર્ષ, મૂળ with the Gujarati ળ). Bodies: સૂર્ય .., મંગળ for Mars, and
// લગ્ન; short labels their first syllables (સૂ, ચં, બુ, શુ, મં, ગુ, શ, રા,
// કે, લ).
constexpr NameTable kGujarati = {
    {"મેષ", "વૃષભ", "મિથુન", "કર્ક", "સિંહ", "કન્યા", "તુલા", "વૃશ્ચિક", "ધનુ", "મકર", "કુંભ", "મીન"},
    {"મેષ", "વૃષભ", "મિથુન", "કર્ક", "સિંહ", "કન્યા", "તુલા", "વૃશ્ચિક", "ધનુ", "મકર", "કુંભ", "મીન"},
    {"સૂર્ય", "ચંદ્ર", "બુધ", "શુક્ર", "મંગળ", "ગુરુ", "શનિ", "રાહુ", "કેતુ", "લગ્ન"},
    {"સૂ", "ચં", "બુ", "શુ", "મં", "ગુ", "શ", "રા", "કે", "લ"},
    {"અશ્વિની", "ભરણી",   "કૃત્તિકા", "રોહિણી",     "મૃગશીર્ષ",      "આર્દ્રા",    "પુનર્વસુ",
     "પુષ્ય",    "આશ્લેષા",  "મઘા",    "પૂર્વાફાલ્ગુની", "ઉત્તરાફાલ્ગુની", "હસ્ત",      "ચિત્રા",
     "સ્વાતિ",  "વિશાખા", "અનુરાધા", "જ્યેષ્ઠા",      "મૂળ",          "પૂર્વાષાઢા", "ઉત્તરાષાઢા",
     "શ્રવણ",   "ધનિષ્ઠા", "શતભિષા", "પૂર્વાભાદ્રપદ", "ઉત્તરાભાદ્રપદ", "રેવતી"},
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
