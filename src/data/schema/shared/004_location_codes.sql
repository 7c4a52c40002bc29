-- Each location gets a short code of its own, by which the set-up tool adds
-- it and refuses a second one. The shop register still stores the location's
-- name; rows added before codes existed keep an empty code.
ALTER TABLE Tr_Place_Cafeteria ADD COLUMN Place_Code TEXT;

CREATE UNIQUE INDEX Tr_Place_Cafeteria_Code ON Tr_Place_Cafeteria (Place_Code);
