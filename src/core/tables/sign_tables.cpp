// The 28 sign tables: the classical attributes of the twelve signs and five
// interpretation paragraphs per sign (nature, looks, health, career and finance,
// love and domestic life). Every short value is the literal shown on the result
// window, capitals, spacing and irregular entries included; nothing is computed
// from them. Each paragraph is one line of second-person prose (no line break)
// because its text box shows it whole and wraps it itself.
#include "tables/sign_tables.h"

#include <cstddef>
#include <string_view>

namespace orvanta {
namespace {

// Character: the sign's element, ruler and classical temperament.
constexpr std::array<std::string_view, kSignCount> kNatureTexts = {
    // Aries
    "You are very independent and dynamic. Born under a fire sign ruled by Mars, you meet "
    "life head on and prefer to lead rather than follow. You are brave, frank and quick "
    "to act, and you often begin new ventures before others have finished talking about "
    "them. Challenges excite you, and competition brings out your best, whether at work, "
    "in sport or in argument. You speak your mind openly and expect the same honesty from "
    "others. Your enthusiasm is infectious, and people are drawn to your energy and your "
    "courage. At the same time you can be impatient and impulsive, and your temper flares "
    "up quickly, although it also cools just as fast and you rarely hold a grudge. You "
    "may start many projects and lose interest once the excitement fades, so learning to "
    "finish what you start is one of your great lessons. With patience and a little tact, "
    "your pioneering spirit can take you very far.",
    // Taurus
    "You have a powerful and commanding presence, yet you are calm, steady and patient by "
    "nature. As an earth sign ruled by Venus, you value security, comfort and beauty, and "
    "you work steadily towards the things you want. Once you have made up your mind, "
    "nothing can move you, and this determination is both your greatest strength and your "
    "biggest weakness, because it can turn into stubbornness. You are loyal and "
    "dependable, and friends know they can rely on you in a crisis. You enjoy the "
    "pleasures of the senses: good food, music, art and fine surroundings. Money and "
    "possessions matter to you as a source of security. You are slow to anger, but when "
    "you are provoked your rage can be frightening.",
    // Gemini
    "You have an analytical mind. You are curious about everything and learn new things "
    "with remarkable speed. Ruled by Mercury and belonging to the element of air, you "
    "live in the world of ideas, words and communication. You are witty, charming and a "
    "lively talker, and you can adapt yourself easily to any company. Variety is the "
    "spice of your life, and routine bores you quickly. You like to do two things at "
    "once, which reflects the twin nature of your sign. Your restlessness may make you "
    "seem inconsistent or superficial at times, and you may scatter your energy over too "
    "many interests. Learning to focus will help you turn your brilliance into lasting "
    "success.",
    // Cancer
    "You are a patient person and deeply caring towards those you love. Ruled by the Moon "
    "and belonging to the element of water, you are sensitive, intuitive and emotional, "
    "and your moods may change like the phases of the Moon. Home and family are the "
    "centre of your world, and you are protective of them like the crab of your sign with "
    "its hard shell. You have a strong memory and cherish the past, its traditions and "
    "keepsakes. You are shy at first, but once you trust someone you are loyal for life. "
    "You may take criticism too much to heart and withdraw into your shell when hurt, so "
    "learn to express your feelings openly.",
    // Leo
    "You are a leader and can take charge of any situation with natural authority. Ruled "
    "by the Sun and belonging to the element of fire, you are warm, generous and full of "
    "life, and you shine wherever you go, like the sun itself. You have a big heart and a "
    "royal bearing, like the lion of your sign, and you love to be admired and "
    "appreciated. You are honest, loyal and courageous, and you stand up for those who "
    "depend on you. You have a flair for the dramatic and enjoy being at the centre of "
    "attention. Your pride is strong, and you may become arrogant or domineering when "
    "your dignity is hurt. Flattery can mislead you, so choose your advisers with care. "
    "When you use your power wisely, others follow you gladly.",
    // Virgo
    "You are practical and polished. You have a sharp eye for detail and a mind that "
    "loves order, method and precision. Ruled by Mercury and belonging to the element of "
    "earth, you combine intelligence with common sense, and you prefer facts to fancies. "
    "You are modest, reserved and hardworking, and you find real satisfaction in being "
    "useful to others. You plan carefully and rarely act on impulse. Your critical "
    "faculty is highly developed, and you notice flaws that others miss, which makes you "
    "an excellent analyst, but you may also be too critical of yourself and of the people "
    "around you. You worry easily, especially about health, work and small matters that "
    "may never happen. Cleanliness and neatness are important to you. You are a loyal "
    "friend who shows love through service rather than words. Learn to relax and accept "
    "that perfection is not always possible.",
    // Libra
    "Justice means everything to you. You weigh every matter carefully, like the balance "
    "that is the symbol of your sign, and you cannot bear unfairness of any kind. Ruled "
    "by Venus and belonging to the element of air, you are charming, courteous and "
    "refined, with a deep love of beauty, harmony and art. You are a natural diplomat and "
    "peacemaker, and you can see both sides of any argument. You are sociable and enjoy "
    "the company of others, and you work best in partnership. Your wish to please "
    "everyone may make you indecisive, and you may postpone decisions for fear of "
    "upsetting someone. You dislike quarrels, crude behaviour and ugliness of every kind, "
    "and may give in merely to keep the peace. Learn to trust your own judgement, and "
    "your sense of balance will guide you well.",
    // Scorpio
    "Mysterious is the first word that comes to mind when people describe you. You keep "
    "your thoughts and feelings to yourself, and few ever learn what really moves you. "
    "Ruled by Mars and belonging to the element of water, you are intense, passionate and "
    "deeply emotional beneath a calm exterior. Your willpower is enormous, and once you "
    "set your mind on a goal, you pursue it with single-minded determination. You have a "
    "penetrating mind and a keen intuition that lets you see through people and get to "
    "the bottom of any mystery. You are fiercely loyal to those you trust, but you never "
    "forget an injury, and your sting can be sharp when you feel betrayed. Jealousy and "
    "suspicion are your weak points. You have great powers of regeneration and can rise "
    "again after every setback, stronger than before.",
    // Sagittarius
    "You are very optimistic and spontaneous, and your cheerful outlook lifts the spirits "
    "of everyone around you. Ruled by Jupiter and belonging to the element of fire, you "
    "are generous, frank and philosophical. You love freedom, travel and adventure, and "
    "you are always eager to explore new places and new ideas. You are honest to the "
    "point of bluntness and may hurt others without meaning to. You dislike restrictions "
    "and may be careless about details or promises. Your faith in life is strong, and "
    "luck often comes your way.",
    // Capricorn
    "You want to achieve a lot in life, and you are prepared to work patiently and "
    "steadily to get there. Ruled by Saturn and belonging to the element of earth, you "
    "are serious, practical, disciplined and ambitious. You climb towards your goals step "
    "by step, and setbacks only make you more determined. You respect tradition, "
    "authority and hard-won experience, and you are careful with money and with your "
    "words. You are reliable and responsible, and you often carry duties beyond your "
    "years. You may appear cold or reserved, but beneath the surface you are sensitive "
    "and loyal. You can become pessimistic and worry too much about the future. Life "
    "tends to grow kinder to you with age, and success often comes late but lasts long.",
    // Aquarius
    "You are a thinker, philosopher and humanitarian at heart. Ruled by Saturn and "
    "belonging to the element of air, you are original, independent and far-sighted, and "
    "your ideas are often ahead of their time. You care about humanity as a whole and "
    "enjoy working for causes that benefit society. You are friendly and tolerant and "
    "have a wide circle of friends, yet you keep a certain detachment and guard your "
    "freedom. You dislike being told what to do and may rebel against convention. You can "
    "be stubborn about your opinions and seem aloof or unpredictable. Your honesty, "
    "loyalty and inventive mind win you lasting respect.",
    // Pisces
    "You are very creative and soft-hearted, with a rich imagination and a deep inner "
    "life. Ruled by Jupiter and belonging to the element of water, you are compassionate, "
    "intuitive and spiritual, and you feel the sorrows of others as if they were your "
    "own. You are kind, gentle and generous, and you will go out of your way to help "
    "anyone in need. You are drawn to music, poetry, art and the mystical side of life. "
    "Like the two fish of your sign swimming in opposite directions, you may feel pulled "
    "between dreams and reality. You can be too trusting and easily influenced, and you "
    "may escape from harsh situations rather than face them. Learn to set limits, and "
    "your gifts will bring you peace and fulfilment.",
};

// Appearance: the build given by the sign (see Physique) and its features.
constexpr std::array<std::string_view, kSignCount> kLooksTexts = {
    // Aries
    "You may be slim and of medium or short height, with a strong, muscular build. You "
    "have a long face, a broad forehead, keen eyes and reddish hair or complexion. You "
    "walk fast and firmly.",
    // Taurus
    "You are attractive and beautiful. You have a short, sturdy body with a thick neck, "
    "broad shoulders, large bright eyes and a pleasant face. Your voice is sweet and you "
    "have a calm, graceful manner.",
    // Gemini
    "You are tall slim and good looking, with long arms and expressive hands. Your eyes "
    "are bright and lively and you look youthful.",
    // Cancer
    "You have a medium stature and a round face with a pale complexion. Your body is soft "
    "and full, and your gait may be a little unsteady.",
    // Leo
    "You are tall  and have a broad chest, strong shoulders and a slim waist. Your face "
    "is wide and dignified and you carry yourself like royalty.",
    // Virgo
    "You are tall and slim with a well proportioned body, a neat appearance and clear, "
    "intelligent eyes. You look younger than your age.",
    // Libra
    "You are tall and thin. You have a well proportioned body, fine features and a "
    "charming smile. You dress tastefully and have a graceful, pleasing manner.",
    // Scorpio
    "You have broad body shape. You are tall and sturdy, with deep, piercing eyes and a "
    "firm, magnetic look.",
    // Sagittarius
    "You may be medium to tall in height, with a well built body, long, strong thighs and "
    "an open, cheerful face. Your forehead is high and your eyes are warm and friendly.",
    // Capricorn
    "You have beautiful eyes. Your slender body is of even build, with a thin face, dark "
    "hair and prominent bones.",
    // Aquarius
    "You have a fair complexion. Your stature is rather short but well proportioned, with "
    "strong calves and a sturdy frame. Your face is oval and your eyes have a faraway, "
    "thoughtful look. You carry yourself with calm dignity.",
    // Pisces
    "You have the perfect body with soft, rounded features and short limbs. Your eyes are "
    "large, dreamy and full of feeling, and your hands and feet are small.",
};

// Health: the weak points, led by the part of the body the sign governs.
constexpr std::array<std::string_view, kSignCount> kHealthTexts = {
    // Aries
    "You may be prone to blood pressure, fevers and headaches. Injuries to the head and "
    "face are possible if you act in haste.",
    // Taurus
    "You may not enjoy good health all the time. Throat and heart ailments may be common.",
    // Gemini
    "You may have some problems of the lungs and nerves. Take care of your shoulders and "
    "arms, and avoid overwork.",
    // Cancer
    "You may have stress and mental worries that disturb your digestion. Your chest is "
    "your weak area, so take care of coughs and colds, and keep your emotions in balance.",
    // Leo
    "Heart problems may occur. Stomach and spine may also trouble you, so avoid "
    "overexertion, rich food and a hurried way of life.",
    // Virgo
    "Your intestine and liver may give you some problems. Else you enjoy sound health.",
    // Libra
    "Kidney and liver are your weak points. Watch the lower abdomen and groin; drink "
    "plenty of water.",
    // Scorpio
    "You may have problems from piles and ailments of the genitals and bladder. Keep a "
    "clean diet and avoid excess.",
    // Sagittarius
    "Your body gives out too much heat, and you may suffer from fevers and liver trouble. "
    "Your thighs and hips are vulnerable, so guard against falls and sprains.",
    // Capricorn
    "You may be prone to gout, rheumatism and pains in the knees and joints. Keep your "
    "body warm.",
    // Aquarius
    "Your legs and eyes may be weak areas. Poor circulation may cause cramps or swelling "
    "in the calves and ankles, so keep active and protect your eyes from strain.",
    // Pisces
    "Common cold will be your constant companion. Your feet are delicate and may swell or "
    "ache, so avoid damp places and intoxicants.",
};

// Career and finance: the callings that suit the sign and its way with money.
constexpr std::array<std::string_view, kSignCount> kCareerTexts = {
    // Aries
    "You are ambitious by nature. You do well as a leader, soldier, surgeon, engineer or "
    "sportsman, and in any field that needs courage. You earn well, but you spend quickly "
    "too.",
    // Taurus
    "You love spending on luxurious things. You earn steadily, however, and you are good "
    "at building wealth over time. Banking, finance, agriculture, real estate, fashion, "
    "music and the arts suit you well. You work patiently and prefer a secure job to "
    "risky speculation, and your savings grow.",
    // Gemini
    "You will do very well in fields that use your mind and your tongue, such as writing, "
    "journalism, teaching, sales, trade and communication. You may hold two jobs at once. "
    "Your income may fluctuate, so plan your finances with care.",
    // Cancer
    "You have an artistic bent of mind and can succeed in nursing, catering, hotels, real "
    "estate, shipping or the arts. You are careful with money and save for the security "
    "of your family.",
    // Leo
    "You can do well in professions where you hold authority, such as government, "
    "politics, administration, management or the stage. You earn well and spend "
    "generously, and you like to display your wealth with pride.",
    // Virgo
    "You are skilled in music and in work that needs precision, such as accounts, "
    "medicine, research or editing. You save wisely.",
    // Libra
    "You could make a career of law, art, design, fashion or diplomacy. Partnerships "
    "bring you gain, and you earn well, but you spend freely on beautiful things.",
    // Scorpio
    "You may come in possession of inherited wealth or money through your partner. You "
    "excel in research, investigation, surgery, medicine, insurance and occult studies, "
    "where your depth of mind is an asset. You are secretive about money and manage it "
    "shrewdly.",
    // Sagittarius
    "You always yearn to learn more, and you do well in teaching, law, religion, "
    "philosophy, publishing and travel. Your honest dealings earn you respect and your "
    "luck brings gains, but avoid gambling and do not lend money carelessly to others.",
    // Capricorn
    "Material wealth means a lot to you. You rise slowly but surely in administration, "
    "business, mining, construction or government service, and you save for your old age.",
    // Aquarius
    "You will do very well in science, technology, research, astrology and social work, "
    "and in any field that is new and original. Your income may come suddenly, but you "
    "prefer to use it for a good cause.",
    // Pisces
    "You are artistically inclined. You are suited to music, painting, poetry, films, "
    "medicine, charity or spiritual work. You do not care much for money and may be "
    "careless with it, so let a trusted person help you manage your savings.",
};

// Love and domestic life: the sign as partner, parent and householder.
constexpr std::array<std::string_view, kSignCount> kLoveTexts = {
    // Aries
    "You are a romantic to the core and fall in love quickly and passionately. You like "
    "to take the lead in courtship. Your marriage will be happy if your partner gives you "
    "freedom and you learn to control your temper.",
    // Taurus
    "You may not express your emotions easily, but your love is deep and lasting. You are "
    "a faithful partner and give your family a comfortable home.",
    // Gemini
    "You are blessed with a long and happy married life if you find a partner who can "
    "match your wit and share your interests. You need mental companionship more than "
    "romance. Avoid flirting, and your home will be lively.",
    // Cancer
    "Parents will mean a lot to you, especially your mother, and you may stay close to "
    "them all your life. You are a devoted, caring partner and a loving parent. Your home "
    "is your sanctuary, and you make it warm and welcoming.",
    // Leo
    "You love living life king size. You are a generous, warm and loyal partner, and you "
    "shower your beloved with gifts. In return you expect admiration and respect, and you "
    "may become jealous if you feel neglected. Your home will be grand, and you are proud "
    "of your children. Keep your pride in check and love will flourish.",
    // Virgo
    "You are not romantic at all. You show love through care and service rather than "
    "words. You are loyal and faithful, but you may be too critical at home.",
    // Libra
    "Being peaceful and loving by nature, you enjoy a harmonious married life. Marriage "
    "is very important to you, and you give much to your partner. Your home is tasteful, "
    "calm and elegant.",
    // Scorpio
    "Your possessive nature may create problems in your married life. You love with great "
    "intensity and expect complete loyalty in return, and jealousy can cause quarrels. "
    "Once you trust your partner, you are devoted for life. Learn to let go of suspicion "
    "and your home will be secure.",
    // Sagittarius
    "You may have some problem dealing with the demands of married life, because you "
    "value your freedom so much. You need a partner who enjoys travel and adventure and "
    "who does not tie you down. You are honest and cheerful in love, and once you commit "
    "you are sincere. You make a cheerful, playful parent.",
    // Capricorn
    "Domestic life will have its share of ups and downs, since your ambition may leave "
    "little time for family. You are dutiful and responsible, and you provide well for "
    "those who depend on you, but you find it hard to show affection. You may marry late "
    "or choose an older partner. Your marriage grows stronger with the years.",
    // Aquarius
    "You are influenced more by your head than your heart in love. You need a partner who "
    "is also a friend and who respects your independence. You are loyal but dislike "
    "possessiveness.",
    // Pisces
    "Your children will be very fortunate and will bring you joy and honour. You are a "
    "tender and romantic partner who gives all for love, and you may idealise your "
    "beloved. Choose your partner with care, as you can be deceived. Your home will be "
    "peaceful, spiritual and full of music and kindness.",
};

// One row per sign, Aries first; the fields run in the order of SignRow: names,
// ruler, symbol, element and colour; classifications; lucky values, body part and
// build; the five texts; compatible and incompatible signs.
// clang-format off
constexpr std::array<SignRow, kSignCount> kSignRows = {{
    // Aries
    {"Aries", "Mesha", "Ari", "Mars", "The Ram", "Fire", "Red, Brown, Copper",
     "Movable", "Male", "Night", "Barren", "Kshatriya", "Dwara", "Mineral (Dhatu)",
     "Monday, Tuesday", "9, 1", "East", "Red, Brown, Copper",
     "Coral", "Head", "Short",
     kLooksTexts[0], kNatureTexts[0], kCareerTexts[0], kLoveTexts[0], kHealthTexts[0],
     "Leo, Sagittarius, Gemini, Aquarius, Libra", "Scorpio, Pisces, Cancer"},
    // Taurus
    {"Taurus", "Vrishabha", "Tau", "Venus", "The Bull", "Earth", "White",
     "Fixed", "Female", "Night", "Semi-Fruitful", "Vaisya", "Bahya", "Vegetable (Moola)",
     "Thursday, Friday", "2, 8", "South", "Pink, Green",
     "Diamond", "Face", "Short",
     kLooksTexts[1], kNatureTexts[1], kCareerTexts[1], kLoveTexts[1], kHealthTexts[1],
     "Cancer, Virgo, Scorpio, Capricorn, Pisces", "Gemini, Aquarius, Libra"},
    // Gemini
    {"Gemini", "Mithuna", "Gem", "Mercury", "The Twins", "Air", "Green",
     "Mixed", "Female", "Night", "Barren", "Sudra", "Garbha", "Animal (Jeeva)",
     "Monday, Wednesday", "3, 7", "West", "Yellow, Purple, Blue",
     "Emerald", "Shoulders", "Even",
     kLooksTexts[2], kNatureTexts[2], kCareerTexts[2], kLoveTexts[2], kHealthTexts[2],
     "Aries, Leo, Libra, Sagittarius, Aquarius", "Taurus, Virgo, Capricorn"},
    // Cancer
    {"Cancer", "Kataka", "Can", "Moon", "The Crab", "Water", "Pink",
     "Movable", "Female", "Night", "Fruitful", "Brahmana", "Dwara", "Mineral (Dhatu)",
     "Monday, Thursday", "2, 7, 9", "North", "White, Red, Yellow",
     "Pearl", "Chest", "Even",
     kLooksTexts[3], kNatureTexts[3], kCareerTexts[3], kLoveTexts[3], kHealthTexts[3],
     "Virgo, Scorpio, Capricorn, Pisces, Taurus", "Aries, Leo, Sagittarius"},
    // Leo
    {"Leo", "Simha", "Leo", "Sun", "The Lion", "Fire", "White",
     "Fixed", "Male", "Day", "Barren", "Kshatriya", "Bahya", "Vegetable (Moola)",
     "Sunday, Monday", "1, 4, 5, 9", "East", "Orange, Red, Green",
     "Ruby", "Heart & Stomach", "Tall",
     kLooksTexts[4], kNatureTexts[4], kCareerTexts[4], kLoveTexts[4], kHealthTexts[4],
     "Libra, Sagittarius, Aquarius, Aries, Gemini", "Scorpio, Pisces, Cancer"},
    // Virgo
    {"Virgo", "Kanya", "Vir", "Mercury", "The Virgin", "Earth", "Multicolored",
     "Mixed", "Female", "Day", "Barren", "Vaisya", "Garbha", "Animal (Jeeva)",
     "Wednesday, Friday", "2, 3, 5, 6", "South", "Green",
     "Emerald", "Abdomen", "Tall",
     kLooksTexts[5], kNatureTexts[5], kCareerTexts[5], kLoveTexts[5], kHealthTexts[5],
     "Scorpio, Capricorn, Pisces, Cancer", "Gemini, Aquarius, Libra"},
    // Libra
    {"Libra", "Thula", "Lib", "Venus", "The Balance", "Air", "Black",
     "Movable", "Male", "Day", "Semi-Fruitful", "Sudra", "Dwara", "Mineral (Dhatu)",
     "Friday, Wednesday, Thursday", "1, 2, 4", "West", "White, Green, Yellow",
     "Diamond", "Lower Abdomen & Groin", "Tall",
     kLooksTexts[6], kNatureTexts[6], kCareerTexts[6], kLoveTexts[6], kHealthTexts[6],
     "Sagittarius, Aquarius, Aries, Gemini, Leo", "Taurus, Virgo, Capricorn"},
    // Scorpio
    {"Scorpio", "Vrischika", "Sco", "Mars", "The Scorpion", "Water", "Reddish Brown",
     "Fixed", "Female", "Day", "Fruitful", "Brahmana", "Bahya", "Vegetable (Moola)",
     "Monday, Tuesday, Thursday", "3, 7, 9", "North", "Brown, Red, Yellow, White",
     "Coral", "External Genitalia", "Tall",
     kLooksTexts[7], kNatureTexts[7], kCareerTexts[7], kLoveTexts[7], kHealthTexts[7],
     "Capricorn, Pisces, Taurus, Cancer, Virgo", "Aries, Leo, Sagittarius"},
    // Sagittarius
    {"Sagittarius", "Dhanus", "Sag", "Jupiter", "The Archer", "Fire", "Yellowish brown",
     "Mixed", "Male", "Night", "Semi-Fruitful", "Kshatriya", "Garbha", "Animal (Jeeva)",
     "Sunday, Thursday", "3, 5, 6, 8", "East", "Yellow, Gray, Brown",
     "Yellow Sapphire", "Thighs", "Even",
     kLooksTexts[8], kNatureTexts[8], kCareerTexts[8], kLoveTexts[8], kHealthTexts[8],
     "Aquarius, Aries, Gemini, Leo, Libra", "Scorpio, Pisces, Cancer"},
    // Capricorn
    {"Capricorn", "Makara", "Cap", "Saturn", "The Crocodile", "Earth", "Multicolored",
     "Movable", "Female", "Night", "Barren", "Vaisya", "Dwara", "Mineral (Dhatu)",
     "Saturday, Wednesday", "6, 8, 9", "South", "Black, Blue",
     "Blue Sapphire", "Knees", "Even",
     kLooksTexts[9], kNatureTexts[9], kCareerTexts[9], kLoveTexts[9], kHealthTexts[9],
     "Pisces, Taurus, Cancer, Virgo, Scorpio", "Gemini, Aquarius, Libra"},
    // Aquarius
    {"Aquarius", "Kumbha", "Aqu", "Saturn", "The Water Carrier", "Air", "Deep Brown",
     "Fixed", "Male", "Day", "Semi-Fruitful", "Sudra", "Bahya", "Vegetable (Moola)",
     "Thursday, Friday, Saturday", "2, 3, 7, 9", "West", "Blue, Black",
     "Blue Sapphire", "Calves", "Short",
     kLooksTexts[10], kNatureTexts[10], kCareerTexts[10], kLoveTexts[10], kHealthTexts[10],
     "Aquarius, Libra, Gemini", "Taurus, Virgo, Capricorn"},
    // Pisces
    {"Pisces", "Meena", "Pis", "Jupiter", "The Double Fish", "Water", "Blue",
     "Mixed", "Female", "Day", "Fruitful", "Brahmana", "Garbha", "Animal (Jeeva)",
     "Thursday, Monday, Tuesday", "1, 3, 4", "North", "Pink, Cream",
     "Yellow Sapphire", "Feet", "Short",
     kLooksTexts[11], kNatureTexts[11], kCareerTexts[11], kLoveTexts[11], kHealthTexts[11],
     "Taurus, Cancer, Virgo, Scorpio, Capricorn", "Aries, Leo, Sagittarius"},
}};
// clang-format on

// The abbreviations and lords are also carried by the birth-data tables; the
// two copies must never drift apart.
constexpr bool AgreesWithBirthTables() {
  for (std::size_t k = 0; k < kSignRows.size(); ++k) {
    if (kSignRows[k].DisplayAbbreviation != kSignAbbr[k]) return false;
    if (kSignRows[k].RulingPlanet != kSignLord[k]) return false;
  }
  return true;
}
static_assert(AgreesWithBirthTables());

// An attribute and the field of SignRow it shows.
struct AttributeSource {
  SignAttribute attribute;
  std::string_view SignRow::*field;
};

// The order in which the row copy writes the attributes (SignAttribute order). The English name
// feeds two labels; DisplayAbbreviation is shown nowhere.
constexpr std::array<AttributeSource, kAttributeCount> kCopyOrder = {{
    {SignAttribute::InduLagnaSign, &SignRow::EnglishName},
    {SignAttribute::VedicName, &SignRow::VedicName},
    {SignAttribute::EnglishName, &SignRow::EnglishName},
    {SignAttribute::RulingPlanet, &SignRow::RulingPlanet},
    {SignAttribute::Symbol, &SignRow::Symbol},
    {SignAttribute::Nature, &SignRow::Element},
    {SignAttribute::Color, &SignRow::SignColor},
    {SignAttribute::SignType, &SignRow::SignType},
    {SignAttribute::Gender, &SignRow::Gender},
    {SignAttribute::ActivityPeriod, &SignRow::ActivityPeriod},
    {SignAttribute::Barren, &SignRow::Fruitfulness},
    {SignAttribute::Caste, &SignRow::Caste},
    {SignAttribute::Position, &SignRow::Position},
    {SignAttribute::Constituent, &SignRow::Constituent},
    {SignAttribute::LuckyDays, &SignRow::LuckyDays},
    {SignAttribute::LuckyNumbers, &SignRow::LuckyNumbers},
    {SignAttribute::Direction, &SignRow::Direction},
    {SignAttribute::LuckyColors, &SignRow::LuckyColors},
    {SignAttribute::Gemstone, &SignRow::Gemstone},
    {SignAttribute::BodyPart, &SignRow::BodyPart},
    {SignAttribute::Physique, &SignRow::Physique},
    {SignAttribute::LooksText, &SignRow::LooksText},
    {SignAttribute::NatureText, &SignRow::NatureText},
    {SignAttribute::CareerText, &SignRow::CareerText},
    {SignAttribute::LoveText, &SignRow::LoveText},
    {SignAttribute::HealthText, &SignRow::HealthText},
    {SignAttribute::CompatibleWith, &SignRow::CompatibleSigns},
    {SignAttribute::NotCompatibleWith, &SignRow::IncompatibleSigns},
}};

constexpr bool InAttributeOrder() {
  for (std::size_t i = 0; i < kCopyOrder.size(); ++i) {
    if (static_cast<std::size_t>(kCopyOrder[i].attribute) != i) return false;
  }
  return true;
}
static_assert(InAttributeOrder());

}  // namespace

const std::array<SignRow, kSignCount>& SignRows() {
  return kSignRows;
}

std::optional<AttributeRow> SignRowCopy(int induLagnaIndex) {
  // An index outside the tables copies nothing: the caller keeps what the
  // controls showed before.
  if (induLagnaIndex < 0 || induLagnaIndex >= kSignCount) return std::nullopt;
  const SignRow& row = kSignRows[static_cast<std::size_t>(induLagnaIndex)];
  AttributeRow copy{};
  for (std::size_t i = 0; i < kCopyOrder.size(); ++i) {
    copy[i] = AttributeValue{kCopyOrder[i].attribute, row.*kCopyOrder[i].field};
  }
  return copy;
}

}  // namespace orvanta
