-- Sample aircraft database of Tolvane.
--
-- The build turns this script into the SQLite file ac.mdb beside the program (see data/CMakeLists.txt).
-- Every maker, engine, model, address, phone number and web address below is invented; the numbers
-- are plausible for the class of each aircraft and consistent with each other, but describe no real
-- aircraft.
--
-- Conventions of the schema (the program reads the file as it would read the Access database):
--   * the declared type of a column decides how the program formats it: YESNO, BYTE, SMALLINT,
--     INTEGER, SINGLE, DOUBLE, DATETIME, CHAR(n), VARCHAR(n) and LONGTEXT (memo; never MEMO, which
--     would give the column numeric affinity);
--   * text compares without regard to case, as in Access: every text column is COLLATE NOCASE;
--   * yes/no values are stored as Access stores them: -1 yes, 0 no; dates as ISO text (YYYY-MM-DD);
--   * Aircraft.AcNum is UNIQUE but not the rowid, so the aircraft keep the order of the inserts below;
--   * values are in imperial units: pounds, feet, nautical miles, knots, cubic feet, psi, EPNdB.
--
-- The fleet (aircraft number, type, scale group of the charts):
--   101  JETS         Aldercrest Aviation Swiftline 6      light jet              group 2
--   102  JETS         Vantreux Aerospace Sarrance 8        super mid-size jet     group 3
--   103  TURBOPROPS   Harrowgate Aircraft Works Kestrane T12  twin turboprop      group 1
--   104  PISTONS      Wrenfield Aircraft Company Corlan 6T  turbocharged piston twin  group 1
--   201  HELICOPTERS  Marrick Rotorcraft M24 Solenne       medium twin, corporate/EMS and utility  group 5
--   202  HELICOPTERS  Esterhold Helicopters EH-7 Tarrow    light twin             group 4

BEGIN TRANSACTION;

-- ================================================================================================
-- Schema
-- ================================================================================================

-- Aircraft makers (looked up by Aircraft.AcMfgNum and, for a second maker, Aircraft.AcMfgNum2).
CREATE TABLE ACMFG (
  AcMfgNum    INTEGER PRIMARY KEY,
  AcMfgName   VARCHAR(50) COLLATE NOCASE,
  AcMfgName2  VARCHAR(50) COLLATE NOCASE,
  Address_1   VARCHAR(50) COLLATE NOCASE,
  Address_2   VARCHAR(50) COLLATE NOCASE,
  City        VARCHAR(30) COLLATE NOCASE,
  State       VARCHAR(20) COLLATE NOCASE,
  Zipcode     VARCHAR(12) COLLATE NOCASE,
  Country     VARCHAR(30) COLLATE NOCASE,
  Phone       VARCHAR(20) COLLATE NOCASE,
  WebAddress  VARCHAR(60) COLLATE NOCASE
);

-- Engine makers.
CREATE TABLE ENGMFG (
  EngMfgNumID INTEGER PRIMARY KEY,
  EngMfgName  VARCHAR(50) COLLATE NOCASE
);

-- Engines (one row per installation). ThrustSlStd is pounds of thrust for a turbofan, shaft
-- horsepower otherwise. For the helicopter installations: the engine ratings (EngR..., shp per
-- engine) and the airframe (transmission) ratings (AFR..., shp).
CREATE TABLE Engine (
  EngNumID        INTEGER PRIMARY KEY,
  EngMfgNumID     INTEGER,
  EngMod          VARCHAR(30) COLLATE NOCASE,
  ThrustSlStd     DOUBLE,
  EngRTO          INTEGER,
  EngRTMaxCont    INTEGER,
  EngROEI25Min    INTEGER,
  EngROEI30Min    INTEGER,
  EngROEIMaxCont  INTEGER,
  AFRTO           INTEGER,
  AFRMaxCont      INTEGER,
  AFROEI25Min     INTEGER,
  AFROEI30Min     INTEGER,
  AFROEIMaxCont   INTEGER
);

-- One row per aircraft: identity, certification, weights, performance, cabin,
-- noise, equipment and footprint.
CREATE TABLE Aircraft (
  AcNum           INTEGER NOT NULL UNIQUE,
  AcTypeName      VARCHAR(12) COLLATE NOCASE,   -- JETS, PISTONS, TURBOPROPS or HELICOPTERS
  AcName          VARCHAR(50) COLLATE NOCASE,
  AcMfgNum        INTEGER,
  AcMfgNum2       INTEGER,
  EngNumID        INTEGER,
  QTZData         YESNO,                        -- offered in the selection dialog
  -- identity and certification
  ModelNum        VARCHAR(20) COLLATE NOCASE,
  InProd          YESNO,
  ProdYr          SMALLINT,
  YrTypeCert      DATETIME,
  CertBasis       CHAR(10) COLLATE NOCASE,
  RVSMCert        YESNO,
  SerialNumbers   VARCHAR(50) COLLATE NOCASE,
  ProducedInServ  INTEGER,                      -- number produced
  ValidForAll     YESNO,
  Remarks         LONGTEXT COLLATE NOCASE,
  IfrCertified    YESNO,
  Certified       YESNO,                        -- VFR
  CatACert        YESNO,
  MinCrewVfrIfr   VARCHAR(10) COLLATE NOCASE,
  CertCeiling     INTEGER,                      -- ft
  -- weights (lb)
  WtMTOGW         DOUBLE,
  WtMTOGWExt      DOUBLE,
  WtMTOGWOpt      DOUBLE,
  WtMaxRamp       DOUBLE,
  WtMaxRampOpt    DOUBLE,
  WtMaxLand       DOUBLE,
  WtZeroFuelW     DOUBLE,
  WtZeroFuelWOpt  DOUBLE,
  WtBow           INTEGER,
  WtBowOpt        INTEGER,
  VfrWtBOW        INTEGER,
  WtUsableFuel    DOUBLE,
  WtOptFuel       DOUBLE,
  WtMaxExtLoad    DOUBLE,
  WT30MFuelRsv    DOUBLE,
  WtPayFuel       DOUBLE,
  WtPayFuelOpt    DOUBLE,
  MaxPayloadOpt   DOUBLE,
  NBAAIfrFRes     DOUBLE,
  ThrustReversers YESNO,                        -- thrust or propeller reversers, or feathering
  -- performance
  RocAllEng       INTEGER,                      -- ft/min
  RocOei          INTEGER,                      -- ft/min
  VNE             SMALLINT,                     -- kt TAS
  ME              DOUBLE,                       -- hours
  MR              DOUBLE,                       -- NM
  AvgCrSpeedMax   INTEGER,                      -- kt TAS
  MaxRngMax       INTEGER,                      -- NM
  AvgCrSpeedLrc   INTEGER,                      -- kt TAS
  MaxRngLrc       INTEGER,                      -- NM
  VREF            SMALLINT,                     -- kt IAS
  V2MTGW          SMALLINT,
  VmcAir          SMALLINT,
  VmcGround       SMALLINT,
  Ica             INTEGER,                      -- ft
  Ttica           DOUBLE,                       -- minutes
  ServOEI         INTEGER,                      -- ft
  -- cabin
  PassMax         BYTE,
  Attendants      BYTE,                         -- medical attendants (EMS)
  ForwardPassSeat YESNO,                        -- passenger seat beside the pilot
  SeatVol         SINGLE,                       -- cu ft
  CabinVol        SINGLE,                       -- cu ft
  BagVolInt       SINGLE,                       -- cu ft
  BagVolExt       SINGLE,                       -- cu ft
  DoorHeight      DOUBLE,                       -- ft
  DoorWidth       DOUBLE,                       -- ft
  PrssrDiff       DOUBLE,                       -- psi
  PrssrSLC        INTEGER,                      -- ft
  PrssrCAMCA      INTEGER,                      -- ft
  -- noise (EPNdB)
  FAR36Takeoff    DOUBLE,
  FAR36Approach   DOUBLE,
  FAR36FlyOver    DOUBLE,
  FAR36Sideline   DOUBLE,
  FAR36MNL        DOUBLE,                       -- margin below the FAR 36 limits
  FAR36MS3Rstc    DOUBLE,                       -- cumulative margin below Stage 3
  -- equipment
  EqpAPU          YESNO,
  EqpAvSys        YESNO,
  EqpCVC          YESNO,
  EqpEICAS        YESNO,
  EqpExtLavServ   YESNO,
  EqpFDR          YESNO,
  EqpGWS          YESNO,
  EqpMDS          YESNO,
  EqpSingPointRef YESNO,
  EqpTWS          YESNO,
  EqpVHS833       YESNO,
  -- footprint (ft): span or rotor diameter, overall length
  ACWidth         DOUBLE,
  ACLength        DOUBLE
);

-- Seats of each operation: OpNum 3 corporate (also EMS), 6 utility.
CREATE TABLE AircraftOPS (
  AcNum       INTEGER,
  OpNum       SMALLINT,
  PilotSeats  BYTE,
  PassSeats   BYTE,
  UNIQUE (AcNum, OpNum)
);

-- Scale group of each aircraft for the chart axes.
CREATE TABLE VW_AircraftAll (
  AcNum     INTEGER NOT NULL UNIQUE,
  GroupNum  SMALLINT
);

-- Axis maxima, grid steps and label spacing per scale group and graph name. Block Time YMax is in
-- minutes.
CREATE TABLE GraphQTZScale (
  GroupNumber   VARCHAR(10) COLLATE NOCASE,
  QTZGraphName  VARCHAR(100) COLLATE NOCASE,
  XMax          DOUBLE,
  XScale        DOUBLE,
  XLabel        DOUBLE,
  YMax          DOUBLE,
  YScale        DOUBLE,
  YLabel        DOUBLE,
  UNIQUE (GroupNumber, QTZGraphName)
);

-- Chart notes per chart key and aircraft, in chart units (bar charts: NotesX in percent of the
-- aircraft's half of the chart).
CREATE TABLE "Graph Notes" (
  GRAPH   VARCHAR(100) COLLATE NOCASE,
  AcNum   INTEGER,
  NotesX  DOUBLE,
  NotesY  DOUBLE,
  Notes   LONGTEXT COLLATE NOCASE,
  Align   VARCHAR(10) COLLATE NOCASE,
  "Size"  SINGLE
);

-- One qualifier line per chart key (helicopter charts: the key followed by "Heli").
CREATE TABLE "Graph Qualifier" (
  GRAPH  VARCHAR(100) COLLATE NOCASE,
  Notes  LONGTEXT COLLATE NOCASE
);

-- Assumption texts of the charts by report group; "|" separates the lines.
CREATE TABLE ProductExplainTerms (
  ET_ReportGroup       VARCHAR(100) COLLATE NOCASE,
  ET_PlainTextToolTip  LONGTEXT COLLATE NOCASE
);

-- Performance tables: one row per chart point, in displayOrder; GroupID numbers the lines (1-20).

-- Weight-altitude-temperature limits (helicopters): X range (NM, OpNum 3) or payload (lb, OpNum 6),
-- Y pressure altitude (ft); CAT "WAT A" (Category A) or "WAT B" (Category B).
CREATE TABLE ACDPWAT (
  AcNum         INTEGER,
  displayOrder  INTEGER,
  GroupID       SMALLINT,
  X             DOUBLE,
  Y             DOUBLE,
  CAT           VARCHAR(10) COLLATE NOCASE,
  OpNum         SMALLINT
);

-- Service ceiling, corporate (helicopters): range (NM) / pressure altitude (ft).
CREATE TABLE ACDPSrvClngCorp (
  AcNum         INTEGER,
  displayOrder  INTEGER,
  GroupID       SMALLINT,
  "Range"       DOUBLE,
  Altitude      DOUBLE
);

-- Service ceiling, utility (helicopters): payload (lb) / pressure altitude (ft).
CREATE TABLE ACDPSrvClngUtil (
  AcNum         INTEGER,
  displayOrder  INTEGER,
  GroupID       SMALLINT,
  Payload       DOUBLE,
  Altitude      DOUBLE
);

-- Height-velocity envelope (helicopters): KIAS / wheel or skid height (ft).
CREATE TABLE ACDPHv (
  AcNum         INTEGER,
  displayOrder  INTEGER,
  GroupID       SMALLINT,
  Velocity      DOUBLE,
  Height        DOUBLE
);

-- Never-exceed speed and maximum level speed (helicopters): KTAS / pressure altitude (ft).
CREATE TABLE ACDPVne (
  AcNum         INTEGER,
  displayOrder  INTEGER,
  Speed         DOUBLE,
  Altitude      DOUBLE,
  VneVh         VARCHAR(5) COLLATE NOCASE
);

-- Maximum takeoff elevation (fixed wing): range (NM) / airport elevation (ft).
CREATE TABLE ACDPMTE (
  AcNum         INTEGER,
  displayOrder  INTEGER,
  GroupID       SMALLINT,
  MTER          DOUBLE,
  MTEE          DOUBLE
);

-- Maximum operating speed envelope, VMO/MMO (fixed wing): KTAS / altitude (ft).
CREATE TABLE ACDPMOS (
  AcNum         INTEGER,
  displayOrder  INTEGER,
  GroupID       SMALLINT,
  MOSK          DOUBLE,
  MCSA          DOUBLE
);

-- Payload-range: range (NM) / payload (fixed wing: passengers at 200 lb; helicopters: lb).
CREATE TABLE ACDPPR (
  AcNum         INTEGER,
  displayOrder  INTEGER,
  GroupID       SMALLINT,
  PRR           DOUBLE,
  PRP           DOUBLE
);

-- Payload limited by maximum landing weight, same units as ACDPPR.
CREATE TABLE ACDPMLW (
  AcNum         INTEGER,
  displayOrder  INTEGER,
  GroupID       SMALLINT,
  MLWR          DOUBLE,
  MLWP          DOUBLE
);

-- Block fuel (lb) and block time (h:mm) over range (NM) at long-range cruise.
CREATE TABLE ACDPLR (
  AcNum         INTEGER,
  displayOrder  INTEGER,
  LRR           DOUBLE,
  LRBF          DOUBLE,
  LRBT          VARCHAR(10) COLLATE NOCASE
);

-- Block fuel (lb) and block time (h:mm) over range (NM) at maximum cruise.
CREATE TABLE ACDPMCS (
  AcNum         INTEGER,
  displayOrder  INTEGER,
  MCSR          DOUBLE,
  MCSBF         DOUBLE,
  MCSBT         VARCHAR(10) COLLATE NOCASE
);

-- Takeoff field length over range (fixed wing): balanced field length at sea level and at 5000 ft,
-- and takeoff distance (turboprops and pistons).
CREATE TABLE ACDPTOFL (
  AcNum         INTEGER,
  displayOrder  INTEGER,
  TOFLR1        DOUBLE,
  TOFLSL1       DOUBLE,
  TOFLR2        DOUBLE,
  TOFL5kFt      DOUBLE,
  TOFLR3        DOUBLE,
  TOFLSL3       DOUBLE
);

-- Sea-level landing runway (fixed wing, ft): with four passengers and at maximum landing weight.
CREATE TABLE ACDPLD (
  AcNum         INTEGER,
  displayOrder  INTEGER,
  "4Pax"        DOUBLE,
  MaxLWt        DOUBLE
);

-- Takeoff and landing distance (helicopters, ft): "Range" SL or 5000Ft, ToLd Takeoff or Landing.
CREATE TABLE ACDPToLD (
  AcNum         INTEGER,
  displayOrder  INTEGER,
  "Range"       VARCHAR(10) COLLATE NOCASE,
  ToLd          VARCHAR(10) COLLATE NOCASE,
  Distance      DOUBLE
);

-- Maximum cruise speed (fixed wing): KTAS / altitude (ft).
CREATE TABLE ACDPMCS2 (
  AcNum         INTEGER,
  displayOrder  INTEGER,
  MCSK          DOUBLE,
  MCSA          DOUBLE
);

-- ================================================================================================
-- Makers and engines
-- ================================================================================================

INSERT INTO ACMFG (AcMfgNum, AcMfgName, AcMfgName2, Address_1, Address_2, City, State, Zipcode, Country, Phone, WebAddress) VALUES
(1, 'Aldercrest Aviation', 'Business Aircraft Division', '4100 Aldercrest Way', 'Hangar 7', 'Millbrook Field', 'KS', '67999', 'USA', '(316) 555-0142', 'www.aldercrest-aviation.example'),
(2, 'Vantreux Aerospace', NULL, '18 Avenue des Ateliers', 'BP 214', 'Saint-Aubrel', NULL, '31999', 'France', '+33 5 55 01 24 60', 'www.vantreux.example'),
(3, 'Harrowgate Aircraft Works', 'Turboprop Programmes', 'Unit 3, Brackenfield Aerodrome', 'Longwick Road', 'Harnley', 'Northshire', 'HN9 4ZZ', 'United Kingdom', '+44 1632 960418', 'www.harrowgate-aircraft.example'),
(4, 'Wrenfield Aircraft Company', NULL, '2200 Sparrow Hill Road', NULL, 'Cedar Hollow', 'GA', '31999', 'USA', '(229) 555-0177', 'www.wrenfield.example'),
(5, 'Marrick Rotorcraft', NULL, '1 Rotor Park', 'PO Box 900', 'Lakeview Heights', 'TX', '76999', 'USA', '(817) 555-0123', 'www.marrick-rotorcraft.example'),
(6, 'Esterhold Helicopters', 'Esterhold Hubschrauber GmbH', 'Flugplatzstrasse 12', NULL, 'Ostenau', 'Bayern', '86999', 'Germany', '+49 30 23125 418', 'www.esterhold.example');

INSERT INTO ENGMFG (EngMfgNumID, EngMfgName) VALUES
(1, 'Torvik Turbines'),
(2, 'Pennick Power Systems'),
(3, 'Ambrell Engine Works');

INSERT INTO Engine (EngNumID, EngMfgNumID, EngMod, ThrustSlStd) VALUES
(11, 1, 'TV-3400A turbofan',    3400),
(12, 1, 'TV-6800B turbofan',    6850),
(21, 2, 'PP-1100T turboprop',   1100),
(31, 3, 'AE-580T turbocharged',  325);
-- Helicopter installations: engine ratings per engine, then the airframe ratings of the twin.
INSERT INTO Engine (EngNumID, EngMfgNumID, EngMod, ThrustSlStd,
  EngRTO, EngRTMaxCont, EngROEI25Min, EngROEI30Min, EngROEIMaxCont,
  AFRTO, AFRMaxCont, AFROEI25Min, AFROEI30Min, AFROEIMaxCont) VALUES
(22, 2, 'PP-750S turboshaft',  720,  720,  640,  860,  780,  700, 1200, 1050,  860,  780,  680),
(23, 2, 'PP-1250S turboshaft', 1250, 1250, 1080, 1480, 1360, 1250, 2200, 1900, 1480, 1360, 1200);

-- ================================================================================================
-- Aircraft (the program lists them by type, each type in this insert order)
-- ================================================================================================

-- ---- 101 Swiftline 6: light jet, two TV-3400A ------------------------------------------------
INSERT INTO Aircraft (AcNum, AcTypeName, AcName, AcMfgNum, AcMfgNum2, EngNumID, QTZData) VALUES
(101, 'JETS', 'Swiftline 6', 1, NULL, 11, -1);
UPDATE Aircraft SET ModelNum = 'AC-600', InProd = -1, ProdYr = 2024, YrTypeCert = '2005-06-14', CertBasis = 'FAR 25',
  RVSMCert = -1, SerialNumbers = '600-0001 and on', ProducedInServ = 412, ValidForAll = -1,
  Remarks = 'Single-pilot certified. Weights are for the standard six-seat club interior; the optional gross weight increase (service kit SK-600-12) raises takeoff, ramp and zero fuel weights.',
  MinCrewVfrIfr = '1/1', CertCeiling = 43000
WHERE AcNum = 101;
UPDATE Aircraft SET WtMaxRamp = 14000, WtMTOGW = 13900, WtMaxLand = 11000, WtZeroFuelW = 10510, WtBow = 8600,
  WtUsableFuel = 4700, WtPayFuel = 700, NBAAIfrFRes = 1050,
  WtMaxRampOpt = 14200, WtMTOGWOpt = 14100, WtZeroFuelWOpt = 10700, WtBowOpt = 8650, WtPayFuelOpt = 850, MaxPayloadOpt = 2050
WHERE AcNum = 101;
UPDATE Aircraft SET ThrustReversers = 0 WHERE AcNum = 101;
UPDATE Aircraft SET RocAllEng = 4100, RocOei = 1150, Ica = 37000, Ttica = 24.0, ServOEI = 23000,
  MaxRngLrc = 1580, AvgCrSpeedLrc = 362, MaxRngMax = 1370, AvgCrSpeedMax = 405,
  VmcGround = 92, VmcAir = 96, V2MTGW = 113, VREF = 104
WHERE AcNum = 101;
UPDATE Aircraft SET PassMax = 8, CabinVol = 300, SeatVol = 235, BagVolInt = 12, BagVolExt = 55, DoorHeight = 4.2, DoorWidth = 2.0,
  PrssrDiff = 8.9, PrssrSLC = 23600, PrssrCAMCA = 7200
WHERE AcNum = 101;
UPDATE Aircraft SET FAR36Takeoff = 73.9, FAR36Sideline = 86.8, FAR36Approach = 89.6, FAR36MS3Rstc = 14.5 WHERE AcNum = 101;
UPDATE Aircraft SET EqpAvSys = -1, EqpCVC = -1, EqpFDR = 0, EqpEICAS = -1,
  EqpGWS = -1, EqpTWS = -1, EqpMDS = 0, EqpVHS833 = -1,
  EqpAPU = 0, EqpSingPointRef = -1, EqpExtLavServ = 0
WHERE AcNum = 101;
UPDATE Aircraft SET ACWidth = 53.2, ACLength = 51.4 WHERE AcNum = 101;

-- ---- 102 Sarrance 8: super mid-size jet, two TV-6800B; wings built by Aldercrest --------------
INSERT INTO Aircraft (AcNum, AcTypeName, AcName, AcMfgNum, AcMfgNum2, EngNumID, QTZData) VALUES
(102, 'JETS', 'Sarrance 8', 2, 1, 12, -1);
UPDATE Aircraft SET ModelNum = 'VS-8', InProd = -1, ProdYr = 2024, YrTypeCert = '2012-11-02', CertBasis = 'FAR 25',
  RVSMCert = -1, SerialNumbers = '8001 and on', ProducedInServ = 236, ValidForAll = -1,
  Remarks = 'Wing and nacelles built by Aldercrest Aviation. Optional weights apply with the increased gross weight package; payload-range line 2 shows them.',
  MinCrewVfrIfr = '2/2', CertCeiling = 45000
WHERE AcNum = 102;
UPDATE Aircraft SET WtMaxRamp = 38200, WtMTOGW = 38000, WtMaxLand = 28800, WtZeroFuelW = 27500, WtBow = 23800,
  WtUsableFuel = 14000, WtPayFuel = 400, NBAAIfrFRes = 2000,
  WtMaxRampOpt = 39700, WtMTOGWOpt = 39500, WtZeroFuelWOpt = 28000, WtBowOpt = 23900, WtPayFuelOpt = 1800, MaxPayloadOpt = 4100
WHERE AcNum = 102;
UPDATE Aircraft SET ThrustReversers = -1 WHERE AcNum = 102;
UPDATE Aircraft SET RocAllEng = 3900, RocOei = 1100, Ica = 39000, Ttica = 21.0, ServOEI = 26500,
  MaxRngLrc = 2960, AvgCrSpeedLrc = 442, MaxRngMax = 2500, AvgCrSpeedMax = 478,
  VmcGround = 104, VmcAir = 108, V2MTGW = 131, VREF = 117
WHERE AcNum = 102;
UPDATE Aircraft SET PassMax = 12, CabinVol = 860, SeatVol = 690, BagVolInt = 40, BagVolExt = 95, DoorHeight = 5.8, DoorWidth = 2.6,
  PrssrDiff = 9.7, PrssrSLC = 27000, PrssrCAMCA = 5900
WHERE AcNum = 102;
UPDATE Aircraft SET FAR36Takeoff = 79.8, FAR36Sideline = 89.4, FAR36Approach = 91.2, FAR36MS3Rstc = 17.2 WHERE AcNum = 102;
UPDATE Aircraft SET EqpAvSys = -1, EqpCVC = -1, EqpFDR = -1, EqpEICAS = -1,
  EqpGWS = -1, EqpTWS = -1, EqpMDS = -1, EqpVHS833 = -1,
  EqpAPU = -1, EqpSingPointRef = -1, EqpExtLavServ = -1
WHERE AcNum = 102;
UPDATE Aircraft SET ACWidth = 70.1, ACLength = 68.6 WHERE AcNum = 102;

-- ---- 103 Kestrane T12: twin turboprop, two PP-1100T ------------------------------------------
INSERT INTO Aircraft (AcNum, AcTypeName, AcName, AcMfgNum, AcMfgNum2, EngNumID, QTZData) VALUES
(103, 'TURBOPROPS', 'Kestrane T12', 3, NULL, 21, -1);
UPDATE Aircraft SET ModelNum = 'HW-12', InProd = 0, ProdYr = 2019, YrTypeCert = '1998-03-20', CertBasis = 'FAR 23',
  RVSMCert = -1, SerialNumbers = 'TB-1 through TB-655', ProducedInServ = 655, ValidForAll = -1,
  Remarks = 'Commuter category. Production ended in 2019; support continues from Harnley.',
  MinCrewVfrIfr = '1/1', CertCeiling = 35000
WHERE AcNum = 103;
UPDATE Aircraft SET WtMaxRamp = 12590, WtMTOGW = 12500, WtMaxLand = 12100, WtZeroFuelW = 10700, WtBow = 8300,
  WtUsableFuel = 3600, WtPayFuel = 690, NBAAIfrFRes = 700
WHERE AcNum = 103;
UPDATE Aircraft SET ThrustReversers = -1 WHERE AcNum = 103;
UPDATE Aircraft SET RocAllEng = 2450, RocOei = 640, Ica = 27000, Ttica = 19.0, ServOEI = 18500,
  MaxRngLrc = 1710, AvgCrSpeedLrc = 268, MaxRngMax = 1350, AvgCrSpeedMax = 302,
  VmcGround = 89, VmcAir = 94, V2MTGW = 106, VREF = 100
WHERE AcNum = 103;
UPDATE Aircraft SET PassMax = 11, CabinVol = 390, SeatVol = 310, BagVolInt = 55, BagVolExt = 18, DoorHeight = 4.3, DoorWidth = 2.2,
  PrssrDiff = 6.6, PrssrSLC = 15600, PrssrCAMCA = 10100
WHERE AcNum = 103;
UPDATE Aircraft SET FAR36Takeoff = 78.6 WHERE AcNum = 103;
UPDATE Aircraft SET EqpAvSys = -1, EqpCVC = -1, EqpFDR = 0, EqpEICAS = -1,
  EqpGWS = -1, EqpTWS = -1, EqpMDS = NULL, EqpVHS833 = -1,
  EqpAPU = 0, EqpSingPointRef = 0, EqpExtLavServ = 0
WHERE AcNum = 103;
UPDATE Aircraft SET ACWidth = 57.9, ACLength = 46.7 WHERE AcNum = 103;

-- ---- 104 Corlan 6T: turbocharged piston twin, two AE-580T ------------------------------------
INSERT INTO Aircraft (AcNum, AcTypeName, AcName, AcMfgNum, AcMfgNum2, EngNumID, QTZData) VALUES
(104, 'PISTONS', 'Corlan 6T', 4, NULL, 31, -1);
UPDATE Aircraft SET ModelNum = 'WC-6T', InProd = -1, ProdYr = 2023, YrTypeCert = '1979-09-05', CertBasis = 'FAR 23',
  RVSMCert = NULL, SerialNumbers = 'CT-1 and on', ProducedInServ = 1880, ValidForAll = 0,
  Remarks = 'Data valid from serial CT-1200 (increased gross weight and 214 gallon fuel system). Unpressurized; oxygen standard above 12,500 ft.',
  MinCrewVfrIfr = '1/1', CertCeiling = 25000
WHERE AcNum = 104;
UPDATE Aircraft SET WtMaxRamp = 6225, WtMTOGW = 6200, WtMaxLand = 6200, WtZeroFuelW = 5500, WtBow = 4400,
  WtUsableFuel = 1284, WtPayFuel = 541, NBAAIfrFRes = 250
WHERE AcNum = 104;
UPDATE Aircraft SET ThrustReversers = -1 WHERE AcNum = 104;
UPDATE Aircraft SET RocAllEng = 1720, RocOei = 320, Ica = 12000, Ttica = 11.0, ServOEI = 13800,
  MaxRngLrc = 1210, AvgCrSpeedLrc = 182, MaxRngMax = 945, AvgCrSpeedMax = 214,
  VmcGround = NULL, VmcAir = 84, V2MTGW = NULL, VREF = 95
WHERE AcNum = 104;
UPDATE Aircraft SET PassMax = 5, CabinVol = 135, SeatVol = 105, BagVolInt = 18, BagVolExt = 12, DoorHeight = 3.6, DoorWidth = 3.0,
  PrssrDiff = NULL, PrssrSLC = NULL, PrssrCAMCA = NULL
WHERE AcNum = 104;
UPDATE Aircraft SET FAR36Takeoff = 80.9 WHERE AcNum = 104;
UPDATE Aircraft SET EqpAvSys = -1, EqpCVC = 0, EqpFDR = 0, EqpEICAS = 0,
  EqpGWS = 0, EqpTWS = 0, EqpMDS = 0, EqpVHS833 = -1,
  EqpAPU = 0, EqpSingPointRef = 0, EqpExtLavServ = 0
WHERE AcNum = 104;
UPDATE Aircraft SET ACWidth = 38.2, ACLength = 29.8 WHERE AcNum = 104;

-- ---- 201 M24 Solenne: medium twin helicopter, two PP-1250S; corporate/EMS and utility --------
INSERT INTO Aircraft (AcNum, AcTypeName, AcName, AcMfgNum, AcMfgNum2, EngNumID, QTZData) VALUES
(201, 'HELICOPTERS', 'M24 Solenne', 5, NULL, 23, -1);
UPDATE Aircraft SET ModelNum = 'M24', InProd = -1, ProdYr = 2024, YrTypeCert = '2009-04-28', CertBasis = 'FAR 29',
  RVSMCert = NULL, SerialNumbers = '24001 and on', ProducedInServ = 318, ValidForAll = -1,
  Remarks = 'Corporate interior for eight passengers; EMS interior with two litters and two attendants; utility interior for thirteen passengers with one pilot.',
  IfrCertified = -1, Certified = -1, CatACert = -1, MinCrewVfrIfr = '1/2', CertCeiling = 20000
WHERE AcNum = 201;
UPDATE Aircraft SET WtMTOGW = 11700, WtMTOGWExt = 12600, WtUsableFuel = 2600, WtOptFuel = 700, WtMaxExtLoad = 4500,
  WT30MFuelRsv = 350, VfrWtBOW = 6900, WtBow = 7700
WHERE AcNum = 201;
UPDATE Aircraft SET VNE = 150, RocAllEng = 1750, RocOei = 480, MR = 480, ME = 4.3 WHERE AcNum = 201;
UPDATE Aircraft SET PassMax = 13, Attendants = 2, CabinVol = 215, SeatVol = 180, ForwardPassSeat = -1, BagVolExt = 48,
  DoorHeight = 4.1, DoorWidth = 6.2
WHERE AcNum = 201;
UPDATE Aircraft SET FAR36Takeoff = 91.6, FAR36FlyOver = 89.9, FAR36Approach = 93.4, FAR36MNL = 3.8 WHERE AcNum = 201;
UPDATE Aircraft SET ACWidth = 45.9, ACLength = 55.4 WHERE AcNum = 201;

-- ---- 202 EH-7 Tarrow: light twin helicopter, two PP-750S -------------------------------------
INSERT INTO Aircraft (AcNum, AcTypeName, AcName, AcMfgNum, AcMfgNum2, EngNumID, QTZData) VALUES
(202, 'HELICOPTERS', 'EH-7 Tarrow', 6, NULL, 22, -1);
UPDATE Aircraft SET ModelNum = 'EH-7', InProd = -1, ProdYr = 2023, YrTypeCert = '2001-07-16', CertBasis = 'FAR 27',
  RVSMCert = NULL, SerialNumbers = '7-0001 and on', ProducedInServ = 742, ValidForAll = -1,
  Remarks = 'Category A procedures with the OEI training kit. IFR certification needs the optional IFR kit and autopilot.',
  IfrCertified = 0, Certified = -1, CatACert = -1, MinCrewVfrIfr = '1/1', CertCeiling = 18000
WHERE AcNum = 202;
UPDATE Aircraft SET WtMTOGW = 6300, WtMTOGWExt = 6700, WtUsableFuel = 1150, WtOptFuel = 300, WtMaxExtLoad = 2200,
  WT30MFuelRsv = 190, VfrWtBOW = 3800, WtBow = 4250
WHERE AcNum = 202;
UPDATE Aircraft SET VNE = 155, RocAllEng = 1620, RocOei = 360, MR = 325, ME = 3.1 WHERE AcNum = 202;
UPDATE Aircraft SET PassMax = 7, Attendants = NULL, CabinVol = 142, SeatVol = 118, ForwardPassSeat = 0, BagVolExt = 30,
  DoorHeight = 3.9, DoorWidth = 4.6
WHERE AcNum = 202;
UPDATE Aircraft SET FAR36Takeoff = 88.2, FAR36FlyOver = 86.5, FAR36Approach = 90.1, FAR36MNL = 5.1 WHERE AcNum = 202;
UPDATE Aircraft SET ACWidth = 36.1, ACLength = 42.7 WHERE AcNum = 202;

-- Seats: corporate (3) for every aircraft, utility (6) for the helicopters.
INSERT INTO AircraftOPS (AcNum, OpNum, PilotSeats, PassSeats) VALUES
(101, 3, 2, 6),
(102, 3, 2, 9),
(103, 3, 2, 8),
(104, 3, 1, 4),
(201, 3, 2, 8),
(201, 6, 1, 13),
(202, 3, 2, 5),
(202, 6, 1, 7);


-- ================================================================================================
-- Performance tables
-- ================================================================================================

-- ---- Block fuel and block time (charts Block Fuel, Block Time) --------------------------------
-- Four passengers, NBAA IFR reserves (helicopters: 30 minutes), ISA, zero wind; block fuel
-- includes taxi.

-- Long-range cruise: LRR range (NM), LRBF block fuel (lb), LRBT block time (h:mm).
INSERT INTO ACDPLR (AcNum, displayOrder, LRR, LRBF, LRBT) VALUES
-- 101 Swiftline 6
(101, 1, 200, 820, '0:42'),
(101, 2, 400, 1230, '1:15'),
(101, 3, 600, 1640, '1:48'),
(101, 4, 800, 2050, '2:22'),
(101, 5, 1000, 2460, '2:55'),
(101, 6, 1200, 2870, '3:28'),
(101, 7, 1400, 3280, '4:01'),
(101, 8, 1580, 3650, '4:31'),
-- 102 Sarrance 8
(102, 1, 250, 1420, '0:43'),
(102, 2, 500, 2400, '1:17'),
(102, 3, 1000, 4350, '2:25'),
(102, 4, 1500, 6300, '3:33'),
(102, 5, 2000, 8250, '4:40'),
(102, 6, 2500, 10200, '5:48'),
(102, 7, 2960, 11990, '6:51'),
-- 103 Kestrane T12
(103, 1, 200, 550, '0:57'),
(103, 2, 400, 860, '1:42'),
(103, 3, 600, 1170, '2:26'),
(103, 4, 800, 1480, '3:11'),
(103, 5, 1000, 1790, '3:56'),
(103, 6, 1200, 2100, '4:41'),
(103, 7, 1400, 2410, '5:25'),
(103, 8, 1600, 2720, '6:10'),
-- 104 Corlan 6T
(104, 1, 200, 220, '1:15'),
(104, 2, 400, 380, '2:21'),
(104, 3, 600, 540, '3:27'),
(104, 4, 800, 700, '4:33'),
(104, 5, 1000, 860, '5:39'),
(104, 6, 1200, 1020, '6:45'),
-- 201 M24 Solenne
(201, 1, 50, 340, '0:28'),
(201, 2, 100, 560, '0:50'),
(201, 3, 150, 780, '1:13'),
(201, 4, 200, 1000, '1:35'),
(201, 5, 250, 1220, '1:57'),
(201, 6, 300, 1440, '2:19'),
(201, 7, 350, 1660, '2:42'),
(201, 8, 400, 1880, '3:04'),
(201, 9, 450, 2100, '3:26'),
(201, 10, 480, 2230, '3:39'),
-- 202 EH-7 Tarrow
(202, 1, 50, 220, '0:29'),
(202, 2, 100, 350, '0:53'),
(202, 3, 150, 480, '1:16'),
(202, 4, 200, 620, '1:40'),
(202, 5, 250, 760, '2:03'),
(202, 6, 300, 890, '2:27'),
(202, 7, 325, 960, '2:38');

-- Maximum cruise: MCSR range (NM), MCSBF block fuel (lb), MCSBT block time (h:mm).
INSERT INTO ACDPMCS (AcNum, displayOrder, MCSR, MCSBF, MCSBT) VALUES
-- 101 Swiftline 6
(101, 1, 200, 900, '0:37'),
(101, 2, 400, 1370, '1:06'),
(101, 3, 600, 1840, '1:36'),
(101, 4, 800, 2310, '2:06'),
(101, 5, 1000, 2780, '2:35'),
(101, 6, 1200, 3250, '3:05'),
(101, 7, 1370, 3650, '3:30'),
-- 102 Sarrance 8
(102, 1, 250, 1630, '0:39'),
(102, 2, 500, 2780, '1:10'),
(102, 3, 1000, 5080, '2:13'),
(102, 4, 1500, 7380, '3:15'),
(102, 5, 2000, 9680, '4:18'),
(102, 6, 2500, 11980, '5:21'),
-- 103 Kestrane T12
(103, 1, 200, 640, '0:51'),
(103, 2, 400, 1030, '1:30'),
(103, 3, 600, 1420, '2:10'),
(103, 4, 800, 1810, '2:50'),
(103, 5, 1000, 2200, '3:29'),
(103, 6, 1200, 2590, '4:09'),
(103, 7, 1350, 2880, '4:39'),
-- 104 Corlan 6T
(104, 1, 200, 270, '1:04'),
(104, 2, 400, 480, '2:00'),
(104, 3, 600, 680, '2:56'),
(104, 4, 800, 890, '3:52'),
(104, 5, 945, 1030, '4:33'),
-- 201 M24 Solenne
(201, 1, 50, 380, '0:25'),
(201, 2, 100, 640, '0:45'),
(201, 3, 150, 900, '1:05'),
(201, 4, 200, 1150, '1:25'),
(201, 5, 250, 1400, '1:45'),
(201, 6, 300, 1660, '2:05'),
(201, 7, 350, 1910, '2:25'),
(201, 8, 400, 2170, '2:45'),
-- 202 EH-7 Tarrow
(202, 1, 50, 240, '0:26'),
(202, 2, 100, 380, '0:48'),
(202, 3, 150, 540, '1:09'),
(202, 4, 200, 680, '1:31'),
(202, 5, 250, 840, '1:52'),
(202, 6, 290, 960, '2:09');

-- ---- Takeoff field length over range (chart Takeoff) -----------------------------------------
-- TOFLR1/TOFLSL1 balanced field length at sea level, TOFLR2/TOFL5kFt at 5000 ft, TOFLR3/TOFLSL3
-- takeoff distance over 50 ft (turboprop and piston only; NULL for the jets). ISA, four passengers.
INSERT INTO ACDPTOFL (AcNum, displayOrder, TOFLR1, TOFLSL1, TOFLR2, TOFL5kFt, TOFLR3, TOFLSL3) VALUES
-- 101 Swiftline 6
(101, 1, 200, 2850, 200, 3720, NULL, NULL),
(101, 2, 600, 3050, 600, 4010, NULL, NULL),
(101, 3, 1000, 3270, 1000, 4330, NULL, NULL),
(101, 4, 1400, 3520, 1400, 4700, NULL, NULL),
(101, 5, 1580, 3640, 1580, 4880, NULL, NULL),
-- 102 Sarrance 8
(102, 1, 500, 3650, 500, 4850, NULL, NULL),
(102, 2, 1000, 3900, 1000, 5200, NULL, NULL),
(102, 3, 1500, 4170, 1500, 5580, NULL, NULL),
(102, 4, 2000, 4450, 2000, 5990, NULL, NULL),
(102, 5, 2500, 4740, 2500, 6420, NULL, NULL),
(102, 6, 2960, 5020, 2960, 6850, NULL, NULL),
-- 103 Kestrane T12
(103, 1, 200, 3200, 200, 4300, 200, 2450),
(103, 2, 600, 3420, 600, 4620, 600, 2600),
(103, 3, 1000, 3650, 1000, 4960, 1000, 2780),
(103, 4, 1400, 3900, 1400, 5330, 1400, 2970),
(103, 5, 1700, 4080, 1700, 5620, 1700, 3110),
-- 104 Corlan 6T
(104, 1, 200, 2300, 200, 3500, 200, 1750),
(104, 2, 500, 2450, 500, 3740, 500, 1860),
(104, 3, 800, 2620, 800, 4000, 800, 1990),
(104, 4, 1100, 2800, 1100, 4280, 1100, 2130),
(104, 5, 1200, 2860, 1200, 4370, 1200, 2180);

-- ---- Maximum takeoff elevation over range (chart Max Takeoff Elevation) ----------------------
-- 5000 ft runway, four passengers, NBAA IFR reserves. GroupID 1 ISA, 2 ISA+20C.
INSERT INTO ACDPMTE (AcNum, displayOrder, GroupID, MTER, MTEE) VALUES
-- 101 Swiftline 6
(101, 1, 1, 200, 14000),
(101, 2, 1, 600, 13200),
(101, 3, 1, 1000, 12000),
(101, 4, 1, 1400, 10500),
(101, 5, 1, 1580, 9700),
(101, 6, 2, 200, 10600),
(101, 7, 2, 600, 9800),
(101, 8, 2, 1000, 8700),
(101, 9, 2, 1400, 7300),
(101, 10, 2, 1580, 6600),
-- 102 Sarrance 8
(102, 1, 1, 500, 14000),
(102, 2, 1, 1000, 13100),
(102, 3, 1, 1500, 12000),
(102, 4, 1, 2000, 10700),
(102, 5, 1, 2500, 9200),
(102, 6, 1, 2960, 7800),
(102, 7, 2, 500, 10900),
(102, 8, 2, 1000, 10000),
(102, 9, 2, 1500, 8900),
(102, 10, 2, 2000, 7600),
(102, 11, 2, 2500, 6100),
(102, 12, 2, 2960, 4800),
-- 103 Kestrane T12
(103, 1, 1, 200, 13000),
(103, 2, 1, 600, 12100),
(103, 3, 1, 1000, 11000),
(103, 4, 1, 1400, 9800),
(103, 5, 1, 1700, 8800),
(103, 6, 2, 200, 9400),
(103, 7, 2, 600, 8600),
(103, 8, 2, 1000, 7600),
(103, 9, 2, 1400, 6500),
(103, 10, 2, 1700, 5600),
-- 104 Corlan 6T
(104, 1, 1, 200, 11500),
(104, 2, 1, 500, 10700),
(104, 3, 1, 800, 9800),
(104, 4, 1, 1100, 8800),
(104, 5, 1, 1200, 8450),
(104, 6, 2, 200, 8200),
(104, 7, 2, 500, 7400),
(104, 8, 2, 800, 6500),
(104, 9, 2, 1100, 5600),
(104, 10, 2, 1200, 5300);

-- ---- Sea-level landing runway (chart Landing *Sea Level) --------------------------------------
-- 4Pax: landing weight with four passengers and NBAA IFR reserves; MaxLWt: at maximum landing weight.
INSERT INTO ACDPLD (AcNum, displayOrder, "4Pax", MaxLWt) VALUES
-- 101 Swiftline 6
(101, 1, 2480, 2900),
-- 102 Sarrance 8
(102, 1, 2350, 2780),
-- 103 Kestrane T12
(103, 1, 2480, 2860),
-- 104 Corlan 6T
(104, 1, 2250, 2400);

-- ---- Maximum cruise speed (chart Max. Cruise Speed): MCSK KTAS, MCSA altitude (ft), ISA ---------
INSERT INTO ACDPMCS2 (AcNum, displayOrder, MCSK, MCSA) VALUES
-- 101 Swiftline 6
(101, 1, 372, 15000),
(101, 2, 398, 20000),
(101, 3, 412, 25000),
(101, 4, 418, 30000),
(101, 5, 416, 35000),
(101, 6, 407, 39000),
(101, 7, 394, 43000),
-- 102 Sarrance 8
(102, 1, 412, 15000),
(102, 2, 444, 20000),
(102, 3, 466, 25000),
(102, 4, 480, 30000),
(102, 5, 486, 35000),
(102, 6, 478, 39000),
(102, 7, 466, 43000),
(102, 8, 455, 45000),
-- 103 Kestrane T12
(103, 1, 262, 5000),
(103, 2, 272, 10000),
(103, 3, 290, 15000),
(103, 4, 302, 20000),
(103, 5, 308, 24000),
(103, 6, 306, 28000),
(103, 7, 296, 32000),
(103, 8, 286, 35000),
-- 104 Corlan 6T
(104, 1, 182, 4000),
(104, 2, 190, 8000),
(104, 3, 198, 12000),
(104, 4, 206, 16000),
(104, 5, 213, 20000),
(104, 6, 218, 24000);

-- ---- Maximum operating speed (chart Max. Op. Spd. (VMO/MMO)): MOSK KTAS, MCSA altitude (ft) -----
-- VMO (constant indicated airspeed) up to the crossover altitude, MMO above it; ISA. The piston
-- twin shows its VNE (223 KIAS) to its ceiling.
INSERT INTO ACDPMOS (AcNum, displayOrder, GroupID, MOSK, MCSA) VALUES
-- 101 Swiftline 6
(101, 1, 1, 305, 0),
(101, 2, 1, 327, 5000),
(101, 3, 1, 351, 10000),
(101, 4, 1, 377, 15000),
(101, 5, 1, 406, 20000),
(101, 6, 1, 438, 25000),
(101, 7, 1, 442, 25600),
(101, 8, 1, 434, 30000),
(101, 9, 1, 425, 35000),
(101, 10, 1, 423, 40000),
(101, 11, 1, 423, 43000),
-- 102 Sarrance 8
(102, 1, 1, 340, 0),
(102, 2, 1, 364, 5000),
(102, 3, 1, 390, 10000),
(102, 4, 1, 419, 15000),
(102, 5, 1, 450, 20000),
(102, 6, 1, 485, 25000),
(102, 7, 1, 505, 27900),
(102, 8, 1, 501, 30000),
(102, 9, 1, 490, 35000),
(102, 10, 1, 488, 40000),
(102, 11, 1, 488, 45000),
-- 103 Kestrane T12
(103, 1, 1, 263, 0),
(103, 2, 1, 282, 5000),
(103, 3, 1, 303, 10000),
(103, 4, 1, 327, 15000),
(103, 5, 1, 353, 20000),
(103, 6, 1, 355, 20500),
(103, 7, 1, 349, 25000),
(103, 8, 1, 342, 30000),
(103, 9, 1, 334, 35000),
-- 104 Corlan 6T
(104, 1, 1, 223, 0),
(104, 2, 1, 240, 5000),
(104, 3, 1, 258, 10000),
(104, 4, 1, 278, 15000),
(104, 5, 1, 301, 20000),
(104, 6, 1, 326, 25000);

-- ---- Payload-range (chart Payload Range) --------------------------------------------------------
-- Long-range cruise, NBAA IFR reserves (helicopters: 30 minutes), ISA, zero wind. PRR range (NM),
-- PRP payload: passengers at 200 lb for fixed wing, pounds for helicopters. Corners: maximum
-- payload up to the takeoff weight limit, full fuel, zero payload (ferry).
-- GroupID 1 standard weights; 2 optional gross weight (102) or auxiliary fuel tank (helicopters).
INSERT INTO ACDPPR (AcNum, displayOrder, GroupID, PRR, PRP) VALUES
-- 101 Swiftline 6
(101, 1, 1, 0, 9.55),
(101, 2, 1, 990, 9.55),
(101, 3, 1, 1580, 3.5),
(101, 4, 1, 1650, 0),
-- 102 Sarrance 8
(102, 1, 1, 0, 18.5),
(102, 2, 1, 2115, 18.5),
(102, 3, 1, 2960, 2),
(102, 4, 1, 3000, 0),
(102, 5, 2, 0, 20.5),
(102, 6, 2, 2370, 20.5),
(102, 7, 2, 2930, 9),
(102, 8, 2, 2995, 0),
-- 103 Kestrane T12
(103, 1, 1, 0, 12),
(103, 2, 1, 610, 12),
(103, 3, 1, 1715, 3.45),
(103, 4, 1, 1790, 0),
-- 104 Corlan 6T
(104, 1, 1, 0, 5.5),
(104, 2, 1, 510, 5.5),
(104, 3, 1, 1210, 2.7),
(104, 4, 1, 1280, 0),
-- 201 M24 Solenne
(201, 1, 1, 0, 3000),
(201, 2, 1, 120, 3000),
(201, 3, 1, 484, 1400),
(201, 4, 1, 505, 0),
(201, 5, 2, 0, 3000),
(201, 6, 2, 120, 3000),
(201, 7, 2, 484, 1400),
(201, 8, 2, 643, 700),
(201, 9, 2, 665, 0),
-- 202 EH-7 Tarrow
(202, 1, 1, 0, 1500),
(202, 2, 1, 104, 1500),
(202, 3, 1, 326, 900),
(202, 4, 1, 340, 0),
(202, 5, 2, 0, 1500),
(202, 6, 2, 104, 1500),
(202, 7, 2, 326, 900),
(202, 8, 2, 437, 600),
(202, 9, 2, 452, 0);

-- Payload limited by the maximum landing weight at short range (jets only: the turboprop, the
-- piston twin and the helicopters are never landing-weight limited). Same units as ACDPPR.
INSERT INTO ACDPMLW (AcNum, displayOrder, GroupID, MLWR, MLWP) VALUES
-- 101 Swiftline 6
(101, 1, 1, 0, 6.75),
(101, 2, 1, 122, 9.55),
-- 102 Sarrance 8
(102, 1, 1, 0, 15),
(102, 2, 1, 115, 18.5);

-- ---- Service ceiling, corporate (chart Corporate): Range (NM), Altitude (ft) ----------------------
-- Takeoff weight for the range with corporate payload; GroupID 1 ISA, 2 ISA+20C.
INSERT INTO ACDPSrvClngCorp (AcNum, displayOrder, GroupID, "Range", Altitude) VALUES
-- 201 M24 Solenne
(201, 1, 1, 50, 19800),
(201, 2, 1, 100, 19100),
(201, 3, 1, 200, 17800),
(201, 4, 1, 300, 16400),
(201, 5, 1, 400, 15000),
(201, 6, 1, 480, 13900),
(201, 7, 2, 50, 16200),
(201, 8, 2, 100, 15500),
(201, 9, 2, 200, 14100),
(201, 10, 2, 300, 12700),
(201, 11, 2, 400, 11300),
(201, 12, 2, 480, 10200),
-- 202 EH-7 Tarrow
(202, 1, 1, 50, 17600),
(202, 2, 1, 100, 17100),
(202, 3, 1, 200, 16000),
(202, 4, 1, 300, 14800),
(202, 5, 1, 325, 14500),
(202, 6, 2, 50, 14100),
(202, 7, 2, 100, 13600),
(202, 8, 2, 200, 12400),
(202, 9, 2, 300, 11200),
(202, 10, 2, 325, 10900);

-- ---- Service ceiling, utility (chart Utility): Payload (lb), Altitude (ft); GroupID 1 ISA, 2 ISA+20C
INSERT INTO ACDPSrvClngUtil (AcNum, displayOrder, GroupID, Payload, Altitude) VALUES
-- 201 M24 Solenne
(201, 1, 1, 0, 20000),
(201, 2, 1, 1000, 18700),
(201, 3, 1, 2000, 16500),
(201, 4, 1, 3000, 13900),
(201, 5, 1, 4000, 11000),
(201, 6, 1, 4400, 9800),
(201, 7, 2, 0, 17000),
(201, 8, 2, 1000, 15400),
(201, 9, 2, 2000, 13100),
(201, 10, 2, 3000, 10500),
(201, 11, 2, 4000, 7600),
(201, 12, 2, 4400, 6400),
-- 202 EH-7 Tarrow
(202, 1, 1, 0, 18000),
(202, 2, 1, 500, 16900),
(202, 3, 1, 1000, 15300),
(202, 4, 1, 1500, 13400),
(202, 5, 1, 2000, 11300),
(202, 6, 1, 2280, 10100),
(202, 7, 2, 0, 15200),
(202, 8, 2, 500, 14000),
(202, 9, 2, 1000, 12300),
(202, 10, 2, 1500, 10400),
(202, 11, 2, 2000, 8200),
(202, 12, 2, 2280, 7000);

-- ---- Height-velocity envelope (chart Height Velocity): Velocity (KIAS), Height (ft) ---------------
-- Boundaries of the areas to avoid at maximum gross weight, sea level: GroupID 1 the low-speed area
-- (from the low hover height over the knee up to the high hover height), 2 the high-speed, low-height
-- area.
INSERT INTO ACDPHv (AcNum, displayOrder, GroupID, Velocity, Height) VALUES
-- 201 M24 Solenne
(201, 1, 1, 0, 25),
(201, 2, 1, 10, 30),
(201, 3, 1, 25, 45),
(201, 4, 1, 40, 80),
(201, 5, 1, 50, 130),
(201, 6, 1, 45, 200),
(201, 7, 1, 35, 300),
(201, 8, 1, 20, 400),
(201, 9, 1, 0, 480),
(201, 10, 2, 25, 0),
(201, 11, 2, 50, 8),
(201, 12, 2, 80, 12),
(201, 13, 2, 150, 15),
-- 202 EH-7 Tarrow
(202, 1, 1, 0, 20),
(202, 2, 1, 15, 28),
(202, 3, 1, 30, 55),
(202, 4, 1, 42, 110),
(202, 5, 1, 38, 220),
(202, 6, 1, 28, 320),
(202, 7, 1, 15, 410),
(202, 8, 1, 0, 460),
(202, 9, 2, 30, 0),
(202, 10, 2, 55, 8),
(202, 11, 2, 90, 12),
(202, 12, 2, 155, 14);

-- ---- Vne and maximum level speed (chart Vne and Max Cruise Speed): Speed (KTAS), Altitude (ft) ----
-- VneVh 'Vne' never-exceed speed, 'Vh' maximum level speed at maximum continuous power; ISA.
INSERT INTO ACDPVne (AcNum, displayOrder, Speed, Altitude, VneVh) VALUES
-- 201 M24 Solenne
(201, 1, 150, 0, 'Vne'),
(201, 2, 148, 2000, 'Vne'),
(201, 3, 143, 4000, 'Vne'),
(201, 4, 137, 6000, 'Vne'),
(201, 5, 130, 8000, 'Vne'),
(201, 6, 122, 10000, 'Vne'),
(201, 7, 114, 12000, 'Vne'),
(201, 8, 105, 14000, 'Vne'),
(201, 9, 96, 16000, 'Vne'),
(201, 10, 87, 18000, 'Vne'),
(201, 11, 78, 20000, 'Vne'),
(201, 12, 142, 0, 'Vh'),
(201, 13, 141, 2000, 'Vh'),
(201, 14, 139, 4000, 'Vh'),
(201, 15, 135, 6000, 'Vh'),
(201, 16, 128, 8000, 'Vh'),
(201, 17, 120, 10000, 'Vh'),
(201, 18, 112, 12000, 'Vh'),
(201, 19, 103, 14000, 'Vh'),
(201, 20, 94, 16000, 'Vh'),
(201, 21, 85, 18000, 'Vh'),
-- 202 EH-7 Tarrow
(202, 1, 155, 0, 'Vne'),
(202, 2, 152, 2000, 'Vne'),
(202, 3, 147, 4000, 'Vne'),
(202, 4, 141, 6000, 'Vne'),
(202, 5, 134, 8000, 'Vne'),
(202, 6, 126, 10000, 'Vne'),
(202, 7, 118, 12000, 'Vne'),
(202, 8, 109, 14000, 'Vne'),
(202, 9, 100, 16000, 'Vne'),
(202, 10, 91, 18000, 'Vne'),
(202, 11, 140, 0, 'Vh'),
(202, 12, 141, 2000, 'Vh'),
(202, 13, 140, 4000, 'Vh'),
(202, 14, 137, 6000, 'Vh'),
(202, 15, 132, 8000, 'Vh'),
(202, 16, 124, 10000, 'Vh'),
(202, 17, 117, 12000, 'Vh'),
(202, 18, 108, 14000, 'Vh'),
(202, 19, 98, 16000, 'Vh'),
(202, 20, 88, 18000, 'Vh');

-- ---- Weight-altitude-temperature limits (charts WAT Corporate/EMS and WAT Utility) ----------------
-- OpNum 3: X range (NM) with corporate/EMS payload; OpNum 6: X payload (lb). Y pressure altitude (ft).
-- CAT 'WAT A' Category A (one engine inoperative), 'WAT B' Category B.
-- GroupID 1 ISA, 2 ISA+20C, 3 ISA+35C.
INSERT INTO ACDPWAT (AcNum, displayOrder, GroupID, X, Y, CAT, OpNum) VALUES
-- 201 M24 Solenne
(201, 1, 1, 50, 9200, 'WAT A', 3),
(201, 2, 1, 100, 8700, 'WAT A', 3),
(201, 3, 1, 200, 7600, 'WAT A', 3),
(201, 4, 1, 300, 6400, 'WAT A', 3),
(201, 5, 1, 400, 5200, 'WAT A', 3),
(201, 6, 1, 480, 4300, 'WAT A', 3),
(201, 7, 2, 50, 6300, 'WAT A', 3),
(201, 8, 2, 100, 5800, 'WAT A', 3),
(201, 9, 2, 200, 4700, 'WAT A', 3),
(201, 10, 2, 300, 3500, 'WAT A', 3),
(201, 11, 2, 400, 2300, 'WAT A', 3),
(201, 12, 2, 480, 1400, 'WAT A', 3),
(201, 13, 3, 50, 3900, 'WAT A', 3),
(201, 14, 3, 100, 3400, 'WAT A', 3),
(201, 15, 3, 200, 2300, 'WAT A', 3),
(201, 16, 3, 300, 1200, 'WAT A', 3),
(201, 17, 3, 380, 300, 'WAT A', 3),
(201, 18, 1, 50, 14500, 'WAT B', 3),
(201, 19, 1, 100, 14000, 'WAT B', 3),
(201, 20, 1, 200, 12900, 'WAT B', 3),
(201, 21, 1, 300, 11800, 'WAT B', 3),
(201, 22, 1, 400, 10600, 'WAT B', 3),
(201, 23, 1, 480, 9700, 'WAT B', 3),
(201, 24, 2, 50, 11600, 'WAT B', 3),
(201, 25, 2, 100, 11100, 'WAT B', 3),
(201, 26, 2, 200, 10000, 'WAT B', 3),
(201, 27, 2, 300, 8900, 'WAT B', 3),
(201, 28, 2, 400, 7700, 'WAT B', 3),
(201, 29, 2, 480, 6800, 'WAT B', 3),
(201, 30, 3, 50, 8900, 'WAT B', 3),
(201, 31, 3, 100, 8400, 'WAT B', 3),
(201, 32, 3, 200, 7300, 'WAT B', 3),
(201, 33, 3, 300, 6200, 'WAT B', 3),
(201, 34, 3, 400, 5000, 'WAT B', 3),
(201, 35, 3, 480, 4100, 'WAT B', 3),
(201, 36, 1, 0, 10400, 'WAT A', 6),
(201, 37, 1, 1000, 8900, 'WAT A', 6),
(201, 38, 1, 2000, 7000, 'WAT A', 6),
(201, 39, 1, 3000, 4800, 'WAT A', 6),
(201, 40, 1, 4000, 2400, 'WAT A', 6),
(201, 41, 1, 4400, 1400, 'WAT A', 6),
(201, 42, 2, 0, 7500, 'WAT A', 6),
(201, 43, 2, 1000, 6000, 'WAT A', 6),
(201, 44, 2, 2000, 4100, 'WAT A', 6),
(201, 45, 2, 3000, 1900, 'WAT A', 6),
(201, 46, 2, 3700, 200, 'WAT A', 6),
(201, 47, 3, 0, 4800, 'WAT A', 6),
(201, 48, 3, 1000, 3300, 'WAT A', 6),
(201, 49, 3, 2000, 1400, 'WAT A', 6),
(201, 50, 3, 2600, 200, 'WAT A', 6),
(201, 51, 1, 0, 15800, 'WAT B', 6),
(201, 52, 1, 1000, 14200, 'WAT B', 6),
(201, 53, 1, 2000, 12300, 'WAT B', 6),
(201, 54, 1, 3000, 10100, 'WAT B', 6),
(201, 55, 1, 4000, 7700, 'WAT B', 6),
(201, 56, 1, 4400, 6700, 'WAT B', 6),
(201, 57, 2, 0, 12900, 'WAT B', 6),
(201, 58, 2, 1000, 11300, 'WAT B', 6),
(201, 59, 2, 2000, 9400, 'WAT B', 6),
(201, 60, 2, 3000, 7200, 'WAT B', 6),
(201, 61, 2, 4000, 4800, 'WAT B', 6),
(201, 62, 2, 4400, 3800, 'WAT B', 6),
(201, 63, 3, 0, 10200, 'WAT B', 6),
(201, 64, 3, 1000, 8600, 'WAT B', 6),
(201, 65, 3, 2000, 6700, 'WAT B', 6),
(201, 66, 3, 3000, 4500, 'WAT B', 6),
(201, 67, 3, 4000, 2100, 'WAT B', 6),
(201, 68, 3, 4400, 1100, 'WAT B', 6),
-- 202 EH-7 Tarrow
(202, 1, 1, 50, 8100, 'WAT A', 3),
(202, 2, 1, 100, 7600, 'WAT A', 3),
(202, 3, 1, 200, 6500, 'WAT A', 3),
(202, 4, 1, 300, 5300, 'WAT A', 3),
(202, 5, 1, 325, 5000, 'WAT A', 3),
(202, 6, 2, 50, 5200, 'WAT A', 3),
(202, 7, 2, 100, 4700, 'WAT A', 3),
(202, 8, 2, 200, 3600, 'WAT A', 3),
(202, 9, 2, 300, 2400, 'WAT A', 3),
(202, 10, 2, 325, 2100, 'WAT A', 3),
(202, 11, 1, 50, 12800, 'WAT B', 3),
(202, 12, 1, 100, 12300, 'WAT B', 3),
(202, 13, 1, 200, 11200, 'WAT B', 3),
(202, 14, 1, 300, 10000, 'WAT B', 3),
(202, 15, 1, 325, 9700, 'WAT B', 3),
(202, 16, 2, 50, 9900, 'WAT B', 3),
(202, 17, 2, 100, 9400, 'WAT B', 3),
(202, 18, 2, 200, 8300, 'WAT B', 3),
(202, 19, 2, 300, 7100, 'WAT B', 3),
(202, 20, 2, 325, 6800, 'WAT B', 3),
(202, 21, 1, 0, 9300, 'WAT A', 6),
(202, 22, 1, 500, 8100, 'WAT A', 6),
(202, 23, 1, 1000, 6500, 'WAT A', 6),
(202, 24, 1, 1500, 4600, 'WAT A', 6),
(202, 25, 1, 2000, 2500, 'WAT A', 6),
(202, 26, 1, 2280, 1300, 'WAT A', 6),
(202, 27, 2, 0, 6400, 'WAT A', 6),
(202, 28, 2, 500, 5200, 'WAT A', 6),
(202, 29, 2, 1000, 3600, 'WAT A', 6),
(202, 30, 2, 1500, 1700, 'WAT A', 6),
(202, 31, 2, 1800, 500, 'WAT A', 6),
(202, 32, 1, 0, 14000, 'WAT B', 6),
(202, 33, 1, 500, 12800, 'WAT B', 6),
(202, 34, 1, 1000, 11200, 'WAT B', 6),
(202, 35, 1, 1500, 9300, 'WAT B', 6),
(202, 36, 1, 2000, 7200, 'WAT B', 6),
(202, 37, 1, 2280, 6000, 'WAT B', 6),
(202, 38, 2, 0, 11100, 'WAT B', 6),
(202, 39, 2, 500, 9900, 'WAT B', 6),
(202, 40, 2, 1000, 8300, 'WAT B', 6),
(202, 41, 2, 1500, 6400, 'WAT B', 6),
(202, 42, 2, 2000, 4300, 'WAT B', 6),
(202, 43, 2, 2280, 3100, 'WAT B', 6);

-- ---- Takeoff and landing distance (charts Take-off/Landing Distance, sea level and 5000 ft) --------
-- Category A clear-area procedure at maximum gross weight, ISA.
INSERT INTO ACDPToLD (AcNum, displayOrder, "Range", ToLd, Distance) VALUES
-- 201 M24 Solenne
(201, 1, 'SL', 'Landing', 1700),
(201, 2, 'SL', 'Takeoff', 2100),
(201, 3, '5000Ft', 'Landing', 2250),
(201, 4, '5000Ft', 'Takeoff', 2900),
-- 202 EH-7 Tarrow
(202, 1, 'SL', 'Landing', 1300),
(202, 2, 'SL', 'Takeoff', 1650),
(202, 3, '5000Ft', 'Landing', 1750),
(202, 4, '5000Ft', 'Takeoff', 2300);

-- ================================================================================================
-- Chart scales
-- ================================================================================================

-- Scale group of each aircraft: 1 piston and turboprop twins, 2 light jets, 3 mid-size jets,
-- 4 light twin helicopters, 5 medium twin helicopters.
INSERT INTO VW_AircraftAll (AcNum, GroupNum) VALUES
(101, 2),
(102, 3),
(103, 1),
(104, 1),
(201, 5),
(202, 4);

-- Axis maxima, grid steps (XScale, YScale) and label spacing (XLabel, YLabel) of every chart for each
-- group. The bar charts have four bar slots on X. Block Time YMax is in minutes.
INSERT INTO GraphQTZScale (GroupNumber, QTZGraphName, XMax, XScale, XLabel, YMax, YScale, YLabel) VALUES
-- group 1: piston and turboprop twins
('1', 'Block Fuel',               2000, 200, 400,  3000,  250,   500),
('1', 'Block Time',               2000, 200, 400,   480,   30,    60),
('1', 'Takeoff',                  2000, 200, 400,  6000,  500,  1000),
('1', 'Max Takeoff Elevation',    2000, 200, 400, 16000, 1000,  2000),
('1', 'Landing *Sea Level',          4,   1,   1,  4000,  500,  1000),
('1', 'Max. Cruise Speed',         400,  50, 100, 40000, 5000, 10000),
('1', 'Max. Op. Spd. (VMO/MMO)',   400,  50, 100, 40000, 5000, 10000),
('1', 'Payload Range',            2000, 200, 400,    14,    1,     2),
-- group 2: light jets
('2', 'Block Fuel',               2000, 200, 400,  5000,  500,  1000),
('2', 'Block Time',               2000, 200, 400,   300,   30,    60),
('2', 'Takeoff',                  2000, 200, 400,  6000,  500,  1000),
('2', 'Max Takeoff Elevation',    2000, 200, 400, 16000, 1000,  2000),
('2', 'Landing *Sea Level',          4,   1,   1,  4000,  500,  1000),
('2', 'Max. Cruise Speed',         500,  50, 100, 45000, 5000, 10000),
('2', 'Max. Op. Spd. (VMO/MMO)',   500,  50, 100, 45000, 5000, 10000),
('2', 'Payload Range',            2000, 200, 400,    12,    1,     2),
-- group 3: mid-size jets
('3', 'Block Fuel',               3500, 250, 500, 14000, 1000,  2000),
('3', 'Block Time',               3500, 250, 500,   480,   30,    60),
('3', 'Takeoff',                  3500, 250, 500,  8000,  500,  1000),
('3', 'Max Takeoff Elevation',    3500, 250, 500, 16000, 1000,  2000),
('3', 'Landing *Sea Level',          4,   1,   1,  4000,  500,  1000),
('3', 'Max. Cruise Speed',         600,  50, 100, 50000, 5000, 10000),
('3', 'Max. Op. Spd. (VMO/MMO)',   600,  50, 100, 50000, 5000, 10000),
('3', 'Payload Range',            3500, 250, 500,    24,    2,     4),
-- group 4: light twin helicopters
('4', 'Block Fuel',                                               400,  50, 100,  1200,  100,  200),
('4', 'Block Time',                                               400,  50, 100,   180,   15,   30),
('4', 'Payload Range',                                            500,  50, 100,  2000,  250,  500),
('4', 'Corporate',                                                400,  50, 100, 20000, 2000, 4000),
('4', 'Utility',                                                 2500, 250, 500, 20000, 2000, 4000),
('4', 'Height Velocity',                                          160,  10,  20,   600,   50,  100),
('4', 'Vne and Max Cruise Speed',                                 180,  10,  20, 20000, 2000, 4000),
('4', 'Weight-Altitude-Temperature Limits - Corporate/EMS Ops',   400,  50, 100, 20000, 2000, 4000),
('4', 'Weight-Altitude-Temperature Limits - Utility Ops',        2500, 250, 500, 20000, 2000, 4000),
('4', 'Take-off/Landing Distance Sea Level',                        4,   1,   1,  3000,  250,  500),
('4', 'Take-off/Landing Distance 5000 Ft. Pressure Altitude',       4,   1,   1,  4000,  500, 1000),
-- group 5: medium twin helicopters
('5', 'Block Fuel',                                               600,  50, 100,  3000,  250,  500),
('5', 'Block Time',                                               600,  50, 100,   240,   15,   30),
('5', 'Payload Range',                                            700,  50, 100,  3500,  250,  500),
('5', 'Corporate',                                                600,  50, 100, 22000, 2000, 4000),
('5', 'Utility',                                                 5000, 500, 1000, 22000, 2000, 4000),
('5', 'Height Velocity',                                          160,  10,  20,   600,   50,  100),
('5', 'Vne and Max Cruise Speed',                                 180,  10,  20, 22000, 2000, 4000),
('5', 'Weight-Altitude-Temperature Limits - Corporate/EMS Ops',   600,  50, 100, 20000, 2000, 4000),
('5', 'Weight-Altitude-Temperature Limits - Utility Ops',        5000, 500, 1000, 20000, 2000, 4000),
('5', 'Take-off/Landing Distance Sea Level',                        4,   1,   1,  3000,  250,  500),
('5', 'Take-off/Landing Distance 5000 Ft. Pressure Altitude',       4,   1,   1,  4000,  500, 1000);

-- ================================================================================================
-- Chart notes, qualifiers and assumptions
-- ================================================================================================

-- Notes by chart key and aircraft. WAT notes: WATACorp/WATAUtil for WAT A, WATCorp/WATUtil for
-- WAT B. On the bar charts NotesX is in percent of the aircraft's half (12.5 centres the first bar,
-- 37.5 the second) and NotesY is the bar's value, which the hover then shows.
INSERT INTO "Graph Notes" (GRAPH, AcNum, NotesX, NotesY, Notes, Align, "Size") VALUES
-- fixed wing
('BlockFuel',        101, 1600,  3650, 'Max. range 1,580 NM', 'Left', NULL),
('BlockFuel',        102, 3000, 11990, 'Max. range 2,960 NM', 'Right', NULL),
('BlockFuel',        103, 1620,  2720, 'Max. range 1,710 NM', 'Left', NULL),
('BlockFuel',        104, 1220,  1020, 'Max. range 1,210 NM', 'Left', NULL),
('BlockTime',        101, 1600,  4.52, 'LRC avg. 362 KTAS', 'Left', NULL),
('BlockTime',        101, 1390,  3.50, 'Max. cr. avg. 405 KTAS', 'Left', NULL),
('BlockTime',        102, 2980,  6.85, 'LRC avg. 442 KTAS', 'Right', NULL),
('BlockTime',        103, 1620,  6.17, 'LRC avg. 268 KTAS', 'Left', NULL),
('BlockTime',        104, 1220,  6.75, 'LRC avg. 182 KTAS', 'Left', NULL),
('Takeoff',          101, 1600,  3640, 'MTOW', 'Left', NULL),
('Takeoff',          102, 2980,  5020, 'MTOW', 'Left', NULL),
('Takeoff',          103, 1720,  4080, 'MTOW', 'Left', NULL),
('Takeoff',          104, 1220,  2860, 'MTOW', 'Left', NULL),
('TakeoffElevation', 101,  200, 14300, 'ISA', 'Left', NULL),
('TakeoffElevation', 101,  200, 10900, 'ISA+20C', 'Left', NULL),
('TakeoffElevation', 102,  500, 14300, 'ISA', 'Left', NULL),
('TakeoffElevation', 102,  500, 11200, 'ISA+20C', 'Left', NULL),
('TakeoffElevation', 103,  200, 13300, 'ISA', 'Left', NULL),
('TakeoffElevation', 103,  200,  9700, 'ISA+20C', 'Left', NULL),
('TakeoffElevation', 104,  200, 11800, 'ISA', 'Left', NULL),
('TakeoffElevation', 104,  200,  8500, 'ISA+20C', 'Left', NULL),
('Landing',          101, 12.5,  2480, '2,480', 'Center', NULL),
('Landing',          101, 37.5,  2900, '2,900', 'Center', NULL),
('Landing',          102, 12.5,  2350, '2,350', 'Center', NULL),
('Landing',          102, 37.5,  2780, '2,780', 'Center', NULL),
('Landing',          103, 12.5,  2480, '2,480', 'Center', NULL),
('Landing',          103, 37.5,  2860, '2,860', 'Center', NULL),
('Landing',          104, 12.5,  2250, '2,250', 'Center', NULL),
('Landing',          104, 37.5,  2400, '2,400', 'Center', NULL),
('CruiseSpeed',      101,  422, 30000, 'M .71', 'Left', NULL),
('CruiseSpeed',      102,  490, 35000, 'M .84', 'Left', NULL),
('CruiseSpeed',      103,  312, 24000, 'M .51', 'Left', NULL),
('CruiseSpeed',      104,  222, 24000, 'M .36', 'Left', NULL),
('OperatingSpeed',   101,  446, 25600, 'VMO 305 / MMO .737', 'Left', NULL),
('OperatingSpeed',   102,  509, 27900, 'VMO 340 / MMO .85', 'Left', NULL),
('OperatingSpeed',   103,  359, 20500, 'VMO 263 / MMO .58', 'Left', NULL),
('OperatingSpeed',   104,  322, 25000, 'VNE 223 KIAS', 'Right', NULL),
('Payload',          101,  990,  9.85, 'MTOW limit', 'Center', NULL),
('Payload',          101,  130,  6.75, 'MLW', 'Left', NULL),
('Payload',          102, 2115, 18.9, 'Std. MTOW', 'Center', NULL),
('Payload',          102, 2370, 20.9, 'Opt. MTOW', 'Center', NULL),
('Payload',          102,  125, 15.0, 'MLW', 'Left', NULL),
('Payload',          103,  610, 12.3, 'MTOW limit', 'Center', NULL),
('Payload',          104,  510,  5.8, 'MTOW limit', 'Center', NULL),
-- helicopters
('BlockFuel',        201,  490,  2230, 'Max. range 480 NM', 'Left', NULL),
('BlockFuel',        202,  335,   960, 'Max. range 325 NM', 'Left', NULL),
('BlockTime',        201,  490,  3.65, 'LRC avg. 135 KTAS', 'Left', NULL),
('BlockTime',        202,  335,  2.63, 'LRC avg. 128 KTAS', 'Left', NULL),
('Payload',          201,  505,  1400, 'Std. fuel', 'Left', NULL),
('Payload',          201,  665,   700, 'Aux. fuel', 'Left', NULL),
('Payload',          202,  340,   900, 'Std. fuel', 'Left', NULL),
('Payload',          202,  452,   600, 'Aux. fuel', 'Left', NULL),
('CeilingCorp',      201,   50, 20100, 'ISA', 'Left', NULL),
('CeilingCorp',      201,   50, 16500, 'ISA+20C', 'Left', NULL),
('CeilingCorp',      202,   50, 17900, 'ISA', 'Left', NULL),
('CeilingCorp',      202,   50, 14400, 'ISA+20C', 'Left', NULL),
('CeilingUtil',      201, 4450,  9800, 'ISA', 'Left', NULL),
('CeilingUtil',      201, 4450,  6400, 'ISA+20C', 'Left', NULL),
('CeilingUtil',      202, 2300, 10100, 'ISA', 'Left', NULL),
('CeilingUtil',      202, 2300,  7000, 'ISA+20C', 'Left', NULL),
('CeilingHV',        201,   15,   250, 'Avoid', 'Center', NULL),
('CeilingHV',        201,  100,    30, 'Avoid', 'Center', NULL),
('CeilingHV',        202,   12,   240, 'Avoid', 'Center', NULL),
('CeilingHV',        202,  110,    30, 'Avoid', 'Center', NULL),
('CeilingVNE',       201,   76, 20000, 'Vne', 'Right', NULL),
('CeilingVNE',       201,   83, 18000, 'Vh', 'Right', NULL),
('CeilingVNE',       202,   89, 18000, 'Vne', 'Right', NULL),
('CeilingVNE',       202,   96, 16000, 'Vh', 'Right', NULL),
('LandingSL',        201, 12.5,  1700, '1,700', 'Center', NULL),
('LandingSL',        201, 37.5,  2100, '2,100', 'Center', NULL),
('LandingSL',        202, 12.5,  1300, '1,300', 'Center', NULL),
('LandingSL',        202, 37.5,  1650, '1,650', 'Center', NULL),
('Landing5000ft',    201, 12.5,  2250, '2,250', 'Center', NULL),
('Landing5000ft',    201, 37.5,  2900, '2,900', 'Center', NULL),
('Landing5000ft',    202, 12.5,  1750, '1,750', 'Center', NULL),
('Landing5000ft',    202, 37.5,  2300, '2,300', 'Center', NULL),
('WATACorp',         201,   50,  9500, 'ISA', 'Left', NULL),
('WATACorp',         201,   50,  6600, 'ISA+20C', 'Left', NULL),
('WATACorp',         201,   50,  4200, 'ISA+35C', 'Left', NULL),
('WATACorp',         202,   50,  8400, 'ISA', 'Left', NULL),
('WATACorp',         202,   50,  5500, 'ISA+20C', 'Left', NULL),
('WATCorp',          201,   50, 14800, 'ISA', 'Left', NULL),
('WATCorp',          201,   50, 11900, 'ISA+20C', 'Left', NULL),
('WATCorp',          201,   50,  9200, 'ISA+35C', 'Left', NULL),
('WATCorp',          202,   50, 13100, 'ISA', 'Left', NULL),
('WATCorp',          202,   50, 10200, 'ISA+20C', 'Left', NULL),
('WATAUtil',         201,  100, 10700, 'ISA', 'Left', NULL),
('WATAUtil',         201,  100,  7800, 'ISA+20C', 'Left', NULL),
('WATAUtil',         201,  100,  5100, 'ISA+35C', 'Left', NULL),
('WATAUtil',         202,   50,  9600, 'ISA', 'Left', NULL),
('WATAUtil',         202,   50,  6700, 'ISA+20C', 'Left', NULL),
('WATUtil',          201,  100, 16100, 'ISA', 'Left', NULL),
('WATUtil',          201,  100, 13200, 'ISA+20C', 'Left', NULL),
('WATUtil',          201,  100, 10500, 'ISA+35C', 'Left', NULL),
('WATUtil',          202,   50, 14300, 'ISA', 'Left', NULL),
('WATUtil',          202,   50, 11400, 'ISA+20C', 'Left', NULL);

-- One qualifier per chart key; helicopter charts on screen use the key followed by "Heli", both
-- helicopter take-off/landing charts the key "LandingHeli"; printed helicopter pages put "Heli"
-- in front of the key their template names, so each helicopter qualifier is there in both forms.
INSERT INTO "Graph Qualifier" (GRAPH, Notes) VALUES
('BlockFuel',            'Four passengers at 200 lbs, NBAA IFR reserves (200 NM alternate), ISA, zero wind, taxi included.'),
('BlockTime',            'Four passengers at 200 lbs, NBAA IFR reserves (200 NM alternate), ISA, zero wind, taxi included.'),
('Takeoff',              'Takeoff weight for the range with four passengers and NBAA IFR reserves, ISA, zero wind, dry paved runway.'),
('TakeoffElevation',     'Highest airport elevation for a 5,000 ft runway with four passengers and NBAA IFR reserves.'),
('Landing',              'Sea level, ISA, dry paved runway, unfactored distance over a 50 ft obstacle.'),
('CruiseSpeed',          'Maximum cruise power or thrust at mid-cruise weight, ISA.'),
('OperatingSpeed',       'Maximum operating speed (VMO/MMO; VNE for piston aircraft) as true air speed, ISA.'),
('Payload',              'Long range cruise, NBAA IFR reserves (200 NM alternate), ISA, zero wind, 200 lbs per passenger.'),
('BlockFuelHeli',        'Corporate configuration, four passengers at 200 lbs, 30 minute reserve, ISA, zero wind.'),
('BlockTimeHeli',        'Corporate configuration, four passengers at 200 lbs, 30 minute reserve, ISA, zero wind.'),
('PayloadHeli',          'Corporate configuration, long range cruise, 30 minute reserve, ISA, zero wind.'),
('CeilingCorpHeli',      'Corporate configuration, takeoff weight for the range, all engines operating, ISA and ISA+20C.'),
('CeilingUtilHeli',      'Utility configuration, fuel for one hour, all engines operating, ISA and ISA+20C.'),
('CeilingHVHeli',        'Maximum gross weight, sea level, ISA, level paved surface.'),
('CeilingVNEHeli',       'Maximum gross weight, ISA; Vh at maximum continuous power.'),
('WATCorpHeli',          'Corporate/EMS configuration: highest takeoff pressure altitude for the range, by outside air temperature.'),
('WATUtilHeli',          'Utility configuration: highest takeoff pressure altitude for the payload, by outside air temperature.'),
('LandingHeli',          'Category A clear-area procedure at maximum gross weight, ISA, zero wind.'),
-- The same qualifiers under the keys the printed pages ask for ("Heli" in front of the key).
('HeliBlockFuel',       'Corporate configuration, four passengers at 200 lbs, 30 minute reserve, ISA, zero wind.'),
('HeliBlockTime',       'Corporate configuration, four passengers at 200 lbs, 30 minute reserve, ISA, zero wind.'),
('HeliPayload',         'Corporate configuration, long range cruise, 30 minute reserve, ISA, zero wind.'),
('HeliCeilingCorp',     'Corporate configuration, takeoff weight for the range, all engines operating, ISA and ISA+20C.'),
('HeliCeilingUtil',     'Utility configuration, fuel for one hour, all engines operating, ISA and ISA+20C.'),
('HeliCeilingHV',       'Maximum gross weight, sea level, ISA, level paved surface.'),
('HeliCeilingVNE',      'Maximum gross weight, ISA; Vh at maximum continuous power.'),
('HeliWATCorp',         'Corporate/EMS configuration: highest takeoff pressure altitude for the range, by outside air temperature.'),
('HeliWATUtil',         'Utility configuration: highest takeoff pressure altitude for the payload, by outside air temperature.'),
('HeliLanding',         'Maximum gross weight, ISA, zero wind, level paved surface.'),
('HeliLandingSL',       'Sea level, maximum gross weight, ISA, zero wind.'),
('HeliLanding5000Ft',   '5,000 ft pressure altitude, maximum gross weight, ISA, zero wind.');

-- Assumption box texts, by report group; "|" breaks the lines.
INSERT INTO ProductExplainTerms (ET_ReportGroup, ET_PlainTextToolTip) VALUES
('Block Fuel Fixed Wing',       'Block fuel includes taxi, takeoff, climb, cruise, descent and landing.|Four passengers at 200 lbs each.|NBAA IFR reserves: 200 NM alternate, 35 minutes hold.|ISA, zero wind.'),
('Block Time Fixed Wing',       'Block time from engine start to shut-down.|Four passengers at 200 lbs each.|NBAA IFR reserves: 200 NM alternate, 35 minutes hold.|ISA, zero wind.'),
('Balanced Field Length',       'FAR 25 balanced field length at the takeoff weight for the range.|Takeoff distance over 50 ft for turboprops and pistons.|Four passengers, NBAA IFR reserves.|ISA, zero wind, dry paved runway.'),
('Max Take Off Fixed Wing',     'Highest airport elevation from which the range can be flown.|5,000 ft dry paved runway, four passengers, NBAA IFR reserves.|ISA and ISA+20C.'),
('Landing Fixed Wing',          'Sea level, ISA, dry paved runway.|Unfactored distance over a 50 ft obstacle.|Four passengers: landing weight with NBAA IFR reserves on board.|Max. Wt.: maximum landing weight.'),
('Max Cruise Speed Fixed Wing', 'Maximum cruise power or thrust.|Mid-cruise weight, ISA.'),
('Max Op Speed Fixed Wing',     'VMO up to the crossover altitude, MMO above it.|Piston aircraft: VNE.|True air speed, ISA.'),
('Payload Range FW',            'Long range cruise.|NBAA IFR reserves: 200 NM alternate, 35 minutes hold.|Payload in passengers at 200 lbs each.|ISA, zero wind.'),
('Block Fuel Heli',             'Corporate configuration, four passengers at 200 lbs each.|Long range cruise (solid) and maximum cruise (dashed).|30 minute fuel reserve.|ISA, zero wind.'),
('Block Time Heli',             'Corporate configuration, four passengers at 200 lbs each.|Long range cruise (solid) and maximum cruise (dashed).|30 minute fuel reserve.|ISA, zero wind.'),
('Payload Range Heli',          'Corporate configuration, long range cruise.|30 minute fuel reserve.|Line 2: auxiliary fuel tank.|ISA, zero wind.'),
('Service Ceiling Corp Heli',   'Corporate configuration, takeoff weight for the range.|All engines operating, maximum continuous power.|ISA and ISA+20C.'),
('Service Ceiling Util Heli',   'Utility configuration, fuel for one hour.|All engines operating, maximum continuous power.|ISA and ISA+20C.'),
('Height Velocity Heli',        'Areas to avoid at maximum gross weight.|Sea level, ISA, level paved surface.'),
('Vne Heli',                    'Never-exceed speed and maximum level speed (Vh)|at maximum gross weight, ISA.'),
('WAT A Corp Heli',             'Category A, one engine inoperative.|Corporate/EMS configuration, takeoff weight for the range.|Lines by outside air temperature.'),
('WAT B Corp Heli',             'Category B.|Corporate/EMS configuration, takeoff weight for the range.|Lines by outside air temperature.'),
('WAT A Util Heli',             'Category A, one engine inoperative.|Utility configuration, fuel for one hour.|Lines by outside air temperature.'),
('WAT B Util Heli',             'Category B.|Utility configuration, fuel for one hour.|Lines by outside air temperature.');

COMMIT;
