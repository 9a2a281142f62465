-- Sample drawing database of Tolvane: one row per aircraft of the sample fleet (ac.sql), one
-- column per view, each holding the whole DXF text of that view (NULL: no such drawing).
--
-- The build runs this script with data/sample as the working folder, so that readfile() finds
-- the drawings in data/sample/drawings/, and turns it into the SQLite file dxf.mdb beside the
-- program (see data/CMakeLists.txt). The drawings are written by tools/make_sample_drawings.cpp.
--
-- Every drawing is read into a staging table first, whose NOT NULL and EOF checks stop the build
-- when a file is missing or truncated (readfile() gives NULL for a file it cannot read).
--
-- Views by aircraft: the fixed-wing aircraft (101 to 104) have Top, Front, Side, Interior and
-- Cabin; the helicopters have Top, Front, Side, Interior, CabinFront and CabinSide, and 201 also
-- the EMS and utility interiors (InteriorEMS, CabinFrontEMS, CabinSideEMS, InteriorUtil,
-- CabinFrontUtil, CabinSideUtil).

BEGIN TRANSACTION;

CREATE TABLE DXF (
  AcNum          INTEGER PRIMARY KEY,
  Top            LONGTEXT,
  Front          LONGTEXT,
  Side           LONGTEXT,
  Interior       LONGTEXT,
  Cabin          LONGTEXT,
  CabinFront     LONGTEXT,
  CabinSide      LONGTEXT,
  InteriorEMS    LONGTEXT,
  CabinFrontEMS  LONGTEXT,
  CabinSideEMS   LONGTEXT,
  InteriorUtil   LONGTEXT,
  CabinFrontUtil LONGTEXT,
  CabinSideUtil  LONGTEXT
);

CREATE TEMP TABLE Drawing (
  AcNum    INTEGER NOT NULL,
  ViewName TEXT NOT NULL,
  Body     TEXT NOT NULL CHECK (Body LIKE '%EOF%'),
  PRIMARY KEY (AcNum, ViewName)
);

INSERT INTO Drawing (AcNum, ViewName, Body) VALUES
(101, 'Top', CAST(readfile('drawings/101Top.dxf') AS TEXT)),
(101, 'Front', CAST(readfile('drawings/101Front.dxf') AS TEXT)),
(101, 'Side', CAST(readfile('drawings/101Side.dxf') AS TEXT)),
(101, 'Interior', CAST(readfile('drawings/101Interior.dxf') AS TEXT)),
(101, 'Cabin', CAST(readfile('drawings/101Cabin.dxf') AS TEXT)),
(102, 'Top', CAST(readfile('drawings/102Top.dxf') AS TEXT)),
(102, 'Front', CAST(readfile('drawings/102Front.dxf') AS TEXT)),
(102, 'Side', CAST(readfile('drawings/102Side.dxf') AS TEXT)),
(102, 'Interior', CAST(readfile('drawings/102Interior.dxf') AS TEXT)),
(102, 'Cabin', CAST(readfile('drawings/102Cabin.dxf') AS TEXT)),
(103, 'Top', CAST(readfile('drawings/103Top.dxf') AS TEXT)),
(103, 'Front', CAST(readfile('drawings/103Front.dxf') AS TEXT)),
(103, 'Side', CAST(readfile('drawings/103Side.dxf') AS TEXT)),
(103, 'Interior', CAST(readfile('drawings/103Interior.dxf') AS TEXT)),
(103, 'Cabin', CAST(readfile('drawings/103Cabin.dxf') AS TEXT)),
(104, 'Top', CAST(readfile('drawings/104Top.dxf') AS TEXT)),
(104, 'Front', CAST(readfile('drawings/104Front.dxf') AS TEXT)),
(104, 'Side', CAST(readfile('drawings/104Side.dxf') AS TEXT)),
(104, 'Interior', CAST(readfile('drawings/104Interior.dxf') AS TEXT)),
(104, 'Cabin', CAST(readfile('drawings/104Cabin.dxf') AS TEXT)),
(201, 'Top', CAST(readfile('drawings/201Top.dxf') AS TEXT)),
(201, 'Front', CAST(readfile('drawings/201Front.dxf') AS TEXT)),
(201, 'Side', CAST(readfile('drawings/201Side.dxf') AS TEXT)),
(201, 'Interior', CAST(readfile('drawings/201Interior.dxf') AS TEXT)),
(201, 'CabinFront', CAST(readfile('drawings/201CabinFront.dxf') AS TEXT)),
(201, 'CabinSide', CAST(readfile('drawings/201CabinSide.dxf') AS TEXT)),
(201, 'InteriorEMS', CAST(readfile('drawings/201InteriorEMS.dxf') AS TEXT)),
(201, 'CabinFrontEMS', CAST(readfile('drawings/201CabinFrontEMS.dxf') AS TEXT)),
(201, 'CabinSideEMS', CAST(readfile('drawings/201CabinSideEMS.dxf') AS TEXT)),
(201, 'InteriorUtil', CAST(readfile('drawings/201InteriorUtil.dxf') AS TEXT)),
(201, 'CabinFrontUtil', CAST(readfile('drawings/201CabinFrontUtil.dxf') AS TEXT)),
(201, 'CabinSideUtil', CAST(readfile('drawings/201CabinSideUtil.dxf') AS TEXT)),
(202, 'Top', CAST(readfile('drawings/202Top.dxf') AS TEXT)),
(202, 'Front', CAST(readfile('drawings/202Front.dxf') AS TEXT)),
(202, 'Side', CAST(readfile('drawings/202Side.dxf') AS TEXT)),
(202, 'Interior', CAST(readfile('drawings/202Interior.dxf') AS TEXT)),
(202, 'CabinFront', CAST(readfile('drawings/202CabinFront.dxf') AS TEXT)),
(202, 'CabinSide', CAST(readfile('drawings/202CabinSide.dxf') AS TEXT));

INSERT INTO DXF (AcNum, Top, Front, Side, Interior, Cabin, CabinFront, CabinSide,
                 InteriorEMS, CabinFrontEMS, CabinSideEMS, InteriorUtil, CabinFrontUtil, CabinSideUtil)
SELECT AcNum,
       max(CASE ViewName WHEN 'Top' THEN Body END),
       max(CASE ViewName WHEN 'Front' THEN Body END),
       max(CASE ViewName WHEN 'Side' THEN Body END),
       max(CASE ViewName WHEN 'Interior' THEN Body END),
       max(CASE ViewName WHEN 'Cabin' THEN Body END),
       max(CASE ViewName WHEN 'CabinFront' THEN Body END),
       max(CASE ViewName WHEN 'CabinSide' THEN Body END),
       max(CASE ViewName WHEN 'InteriorEMS' THEN Body END),
       max(CASE ViewName WHEN 'CabinFrontEMS' THEN Body END),
       max(CASE ViewName WHEN 'CabinSideEMS' THEN Body END),
       max(CASE ViewName WHEN 'InteriorUtil' THEN Body END),
       max(CASE ViewName WHEN 'CabinFrontUtil' THEN Body END),
       max(CASE ViewName WHEN 'CabinSideUtil' THEN Body END)
FROM Drawing
GROUP BY AcNum
ORDER BY AcNum;

DROP TABLE Drawing;

COMMIT;
