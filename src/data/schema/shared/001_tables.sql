-- CostDesk tables, the same on both engines.
-- Amounts (Cost_Money_Rate, Pay_Total, Pay_money) are ${money} columns: whole
-- satang in INTEGER on the embedded file, NUMERIC(15,2) on the server, so
-- that every value and every sum is exact.
-- Statements end with a semicolon at the end of a line.

CREATE TABLE T_Version (
  Version_NO TEXT NOT NULL
);

CREATE TABLE Tr_Invoice_Status (
  Invoice_Status TEXT NOT NULL PRIMARY KEY,
  Invoice_Mean TEXT
);

CREATE TABLE T_USER (
  ID INTEGER NOT NULL PRIMARY KEY,
  Username TEXT NOT NULL,
  Password TEXT NOT NULL,
  section INTEGER,
  U_Surname TEXT,
  U_F_Name TEXT,
  U_L_Name TEXT,
  U_Position TEXT,
  U_Tel_No TEXT,
  frmCaption TEXT,
  Fact_Name TEXT,
  Section_Name TEXT
);

CREATE TABLE Tr_Place_Cafeteria (
  Place_Cafe_Ov TEXT
);

CREATE TABLE Tr_Cost_Type (
  Cost_Code TEXT NOT NULL PRIMARY KEY,
  Cost_Name TEXT
);

CREATE TABLE TR_Cafeteria (
  Cafeteria_Code TEXT NOT NULL PRIMARY KEY,
  Person_ID TEXT,
  Tax_ID TEXT,
  SurName TEXT,
  FirstName TEXT,
  LastName TEXT,
  Per_Age TEXT,
  Per_Sex TEXT,
  Per_nationality TEXT,
  Per_CherChart TEXT,
  Per_religion TEXT,
  Address1 TEXT,
  Address2 TEXT,
  Cafeteria_Name TEXT,
  Cafeteria_Size TEXT,
  Cafeteria_Address TEXT,
  Promise_No TEXT,
  Time_Year TEXT,
  Time_Month TEXT,
  Time_Date TEXT,
  Beg_Promise_date TEXT,
  End_Promise_date TEXT
);

CREATE TABLE TR_Fix_Cost_Type (
  Cafeteria_Code TEXT NOT NULL,
  Cost_Code TEXT NOT NULL,
  Cost_Money_Rate ${money} NOT NULL DEFAULT 0,
  PRIMARY KEY (Cafeteria_Code, Cost_Code)
);

CREATE TABLE TR_Invoice_Runno (
  Year_Bud TEXT NOT NULL PRIMARY KEY,
  Invoice_Runno INTEGER NOT NULL
);

CREATE TABLE Tr_CafeteriaRunNo (
  Year_Bud TEXT NOT NULL PRIMARY KEY,
  Cafeteria_Runno INTEGER NOT NULL
);

CREATE TABLE T_PayIn_Main (
  Invoice_no TEXT NOT NULL PRIMARY KEY,
  Date_Entry TEXT,
  Time_Entry TEXT,
  User_Entry TEXT,
  Date_Must_Pay TEXT,
  Date_Must_Pay_Num TEXT,
  Date_Entry_Num TEXT,
  Cafeteria_Code TEXT,
  Person_ID TEXT,
  SurName TEXT,
  FirstName TEXT,
  LastName TEXT,
  Cafeteria_Address TEXT,
  Pay_Total ${money} NOT NULL DEFAULT 0,
  Invoice_Status TEXT NOT NULL DEFAULT 'A',
  Pay_In_Date TEXT,
  Pay_In_Date_Num TEXT,
  RV_No TEXT,
  RV_Date TEXT,
  RV_Date_Num TEXT
);

CREATE INDEX IX_T_PayIn_Main_Date_Must_Pay_Num ON T_PayIn_Main (Date_Must_Pay_Num);
CREATE INDEX IX_T_PayIn_Main_Pay_In_Date_Num ON T_PayIn_Main (Pay_In_Date_Num);
CREATE INDEX IX_T_PayIn_Main_Invoice_Status ON T_PayIn_Main (Invoice_Status);

CREATE TABLE T_PayIn_Detail (
  Invoice_no TEXT NOT NULL,
  In_Order INTEGER NOT NULL,
  Cost_Code TEXT,
  Cost_Name TEXT,
  Pay_money ${money} NOT NULL DEFAULT 0,
  Other_Detail TEXT,
  PRIMARY KEY (Invoice_no, In_Order)
);

CREATE INDEX IX_T_PayIn_Detail_Cost_Code ON T_PayIn_Detail (Cost_Code);

INSERT INTO T_Version (Version_NO) VALUES ('2.0');

INSERT INTO Tr_Invoice_Status (Invoice_Status, Invoice_Mean) VALUES ('A', 'ยังไม่ชำระเงิน');
INSERT INTO Tr_Invoice_Status (Invoice_Status, Invoice_Mean) VALUES ('P', 'บันทึกชำระเงิน');
INSERT INTO Tr_Invoice_Status (Invoice_Status, Invoice_Mean) VALUES ('R', 'บันทึกนำส่งเงิน');
INSERT INTO Tr_Invoice_Status (Invoice_Status, Invoice_Mean) VALUES ('C', 'ยกเลิก');
