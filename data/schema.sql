-- The data file of Kelvora. Text that people compare by eye (names of foods, categories,
-- languages, units, members, activities) is compared without regard to letter case, as the
-- original data files did. Numbers that take part in arithmetic are REAL.

-- Food categories. "ALL FOODS" is a filter only; "READY FOOD" (cid 21) holds composed foods.
CREATE TABLE cat (
    cid   INTEGER PRIMARY KEY,
    cname TEXT COLLATE NOCASE NOT NULL
);

-- Languages of food names. "ENGLISH" is the base name in food.foodname and has no lang rows.
CREATE TABLE langcat (
    langid   INTEGER PRIMARY KEY,
    langname TEXT COLLATE NOCASE NOT NULL
);

-- One row per food, built-in ("P") or the user's own ("U").
CREATE TABLE food (
    foodid     INTEGER PRIMARY KEY,
    cid        INTEGER,
    foodname   TEXT COLLATE NOCASE,
    foodnote   TEXT,
    Price      REAL DEFAULT 0,
    edible     REAL DEFAULT 100,
    stdweight  REAL DEFAULT 100,
    imp        TEXT COLLATE NOCASE DEFAULT 'A',
    LANG_NM    TEXT DEFAULT '',
    PrimeOrNot TEXT COLLATE NOCASE DEFAULT 'U'
);
CREATE INDEX food_foodname ON food (foodname);
CREATE INDEX food_cid ON food (cid);

-- Nutrient values in the offset form: real code = nutri_cd - srl_no + unit_cd,
-- value per 100 g = nutri_val - nutri_cd. total_value (composed foods) is plain.
-- Several rows of one food may share a serial or a real code: no key here on purpose.
CREATE TABLE foodN1 (
    foodid      INTEGER,
    srl_no      INTEGER,
    nutri_cd    INTEGER,
    nutri_val   REAL,
    unit_cd     INTEGER,
    unit_tp     TEXT COLLATE NOCASE,
    total_value REAL
);
CREATE INDEX foodN1_foodid ON foodN1 (foodid);
-- The nutrient index finds a nutrient's rows by their real code, computed as it is here.
CREATE INDEX foodN1_code ON foodN1 ((nutri_cd - srl_no + unit_cd));

-- The 30 nutrients in code order; file_nm is the nutrient's unit text.
CREATE TABLE nutri (
    nutri_cd INTEGER PRIMARY KEY,
    nname    TEXT COLLATE NOCASE NOT NULL,
    file_nm  TEXT COLLATE NOCASE
);

-- The information text on each nutrient.
CREATE TABLE notes (
    nutri_cd INTEGER PRIMARY KEY,
    note     TEXT
);

-- A food's name in each language other than English; "Not Available" where none is known.
CREATE TABLE lang (
    foodid       INTEGER,
    srl_no       INTEGER DEFAULT 0,
    langid       INTEGER,
    foodlangname TEXT COLLATE NOCASE
);
CREATE INDEX lang_foodid ON lang (foodid);
CREATE INDEX lang_langid ON lang (langid);

-- The unit master: the nutrient units and every serving unit ever saved.
CREATE TABLE unit (
    unitid   INTEGER PRIMARY KEY,
    UnitType TEXT COLLATE NOCASE,
    STD_WGT  REAL DEFAULT 0,
    UnitName TEXT COLLATE NOCASE
);

-- Serving units of a food, linked by the food's name. "Grams" has no row: every food has it.
CREATE TABLE FoodUnit (
    UnitName        TEXT COLLATE NOCASE,
    UnitSizeinGrams INTEGER,
    description     TEXT,
    food            TEXT COLLATE NOCASE,
    status          TEXT COLLATE NOCASE
);
CREATE INDEX FoodUnit_food ON FoodUnit (food);

-- Ingredients of composed foods; srl_no 0 is the placeholder of a recipe without ingredients.
CREATE TABLE item (
    itemid INTEGER,
    srl_no INTEGER,
    foodid INTEGER,
    qty    REAL,
    unitid INTEGER
);
CREATE INDEX item_itemid ON item (itemid);
CREATE INDEX item_foodid ON item (foodid);

-- Activities; each belongs to an activity type that the RDA groups use.
CREATE TABLE usrcat (
    activityname TEXT COLLATE NOCASE,
    ActivityType TEXT COLLATE NOCASE
);

-- RDA groups: ages inclusive in ageunit ("Y" or "M"), sex, condition and activity type.
CREATE TABLE grpmst (
    gid       INTEGER PRIMARY KEY,
    minage    INTEGER,
    maxage    INTEGER,
    ageunit   TEXT COLLATE NOCASE,
    sex       TEXT COLLATE NOCASE,
    condition TEXT COLLATE NOCASE,
    ActTyp    TEXT COLLATE NOCASE
);

-- The daily allowance of a group per nutrient, in the nutrient's unit (plain, not offset).
CREATE TABLE RDA (
    gid       INTEGER,
    nutri_cd  INTEGER,
    nutri_val REAL,
    Unit      TEXT COLLATE NOCASE
);
CREATE INDEX RDA_gid ON RDA (gid);

-- Members. userid is given by the database and never reused.
CREATE TABLE usr (
    userid   INTEGER PRIMARY KEY AUTOINCREMENT,
    Prefix   TEXT COLLATE NOCASE,
    FirstN   TEXT COLLATE NOCASE,
    Address  TEXT,
    Phone    TEXT,
    EMail    TEXT,
    Sex      TEXT COLLATE NOCASE,
    Age      INTEGER,
    period   TEXT COLLATE NOCASE,
    Heigt    TEXT,
    Weigh    TEXT,
    Cndition TEXT COLLATE NOCASE,
    Activity TEXT COLLATE NOCASE,
    gid      INTEGER
);
-- Members are found by name, and told apart by prefix where a name is borne by several.
CREATE INDEX usr_FirstN ON usr (FirstN, Prefix);

-- The intake diary: at most one row per member, day ("dd-MM-yyyy") and food.
CREATE TABLE dayin (
    uid      INTEGER,
    idate    TEXT COLLATE NOCASE,
    foodname TEXT COLLATE NOCASE,
    quantity REAL,
    unit     TEXT COLLATE NOCASE,
    UNIQUE (uid, idate, foodname)
);
-- A member's days in calendar order: the key "yyyy-MM-dd" as the reads compute it from idate.
CREATE INDEX dayin_uid_day ON dayin (uid, (substr(idate, 7, 4) || '-' || substr(idate, 4, 2) || '-' || substr(idate, 1, 2)));

-- Colours of the start page, each a colour value as decimal text.
CREATE TABLE formats (
    cat  TEXT COLLATE NOCASE PRIMARY KEY,
    what TEXT
);

-- What the products window lists.
CREATE TABLE Products (
    No      INTEGER,
    Product TEXT,
    Price   TEXT
);

-- Scratch table of the RDA-versus-intakes report; empty between runs.
CREATE TABLE SYSTABLE (
    NUTRIENTS TEXT COLLATE NOCASE,
    RDA       REAL DEFAULT 0,
    INTAKE    REAL
);
