<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="th_TH" sourcelanguage="en_US">
<context>
    <name>QFileDialog</name>
    <message>
        <source>Look in:</source>
        <translation>ค้นหาใน:</translation>
    </message>
    <message>
        <source>File &amp;name:</source>
        <translation>ชื่อไฟล์:</translation>
    </message>
    <message>
        <source>Files of type:</source>
        <translation>ชนิดไฟล์:</translation>
    </message>
    <message>
        <source>Directory:</source>
        <translation>โฟลเดอร์:</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>บันทึก</translation>
    </message>
    <message>
        <source>&amp;Open</source>
        <translation>เปิด</translation>
    </message>
    <message>
        <source>&amp;Choose</source>
        <translation>เลือก</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>เปิด</translation>
    </message>
    <message>
        <source>Save As</source>
        <translation>บันทึกเป็น</translation>
    </message>
    <message>
        <source>Find Directory</source>
        <translation>เลือกโฟลเดอร์</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>ย้อนกลับ</translation>
    </message>
    <message>
        <source>Go back</source>
        <translation>ย้อนกลับ</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>ไปข้างหน้า</translation>
    </message>
    <message>
        <source>Go forward</source>
        <translation>ไปข้างหน้า</translation>
    </message>
    <message>
        <source>Parent Directory</source>
        <translation>โฟลเดอร์ระดับบน</translation>
    </message>
    <message>
        <source>Go to the parent directory</source>
        <translation>ไปยังโฟลเดอร์ระดับบน</translation>
    </message>
    <message>
        <source>Create New Folder</source>
        <translation>สร้างโฟลเดอร์ใหม่</translation>
    </message>
    <message>
        <source>Create a New Folder</source>
        <translation>สร้างโฟลเดอร์ใหม่</translation>
    </message>
    <message>
        <source>List View</source>
        <translation>แสดงเป็นรายการ</translation>
    </message>
    <message>
        <source>Change to list view mode</source>
        <translation>แสดงเป็นรายการ</translation>
    </message>
    <message>
        <source>Detail View</source>
        <translation>แสดงรายละเอียด</translation>
    </message>
    <message>
        <source>Change to detail view mode</source>
        <translation>แสดงรายละเอียด</translation>
    </message>
    <message>
        <source>Sidebar</source>
        <translation>แถบด้านข้าง</translation>
    </message>
    <message>
        <source>List of places and bookmarks</source>
        <translation>รายการตำแหน่งและที่คั่นหน้า</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>ไฟล์</translation>
    </message>
    <message>
        <source>Directories</source>
        <translation>โฟลเดอร์</translation>
    </message>
    <message>
        <source>All Files (*)</source>
        <translation>ทุกไฟล์ (*)</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>ทุกไฟล์ (*)</translation>
    </message>
    <message>
        <source>Show </source>
        <translation>แสดง</translation>
    </message>
    <message>
        <source>&amp;Rename</source>
        <translation>เปลี่ยนชื่อ</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>ลบ</translation>
    </message>
    <message>
        <source>Show &amp;hidden files</source>
        <translation>แสดงไฟล์ที่ซ่อนอยู่</translation>
    </message>
    <message>
        <source>&amp;New Folder</source>
        <translation>โฟลเดอร์ใหม่</translation>
    </message>
    <message>
        <source>New Folder</source>
        <translation>โฟลเดอร์ใหม่</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>ลบ</translation>
    </message>
    <message>
        <source>%1
Directory not found.
Please verify the correct directory name was given.</source>
        <translation>%1
ไม่พบโฟลเดอร์นี้
โปรดตรวจสอบว่าระบุชื่อโฟลเดอร์ถูกต้อง</translation>
    </message>
    <message>
        <source>%1 already exists.
Do you want to replace it?</source>
        <translation>%1 มีอยู่แล้ว
ต้องการบันทึกทับไฟล์เดิมหรือไม่</translation>
    </message>
    <message>
        <source>%1
File not found.
Please verify the correct file name was given.</source>
        <translation>%1
ไม่พบไฟล์นี้
โปรดตรวจสอบว่าระบุชื่อไฟล์ถูกต้อง</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is write protected.
Do you want to delete it anyway?</source>
        <translation>&apos;%1&apos; ถูกป้องกันการเขียน
ยังต้องการลบหรือไม่</translation>
    </message>
    <message>
        <source>Are you sure you want to delete &apos;%1&apos;?</source>
        <translation>ต้องการลบ &apos;%1&apos; ใช่หรือไม่</translation>
    </message>
    <message>
        <source>Could not delete directory.</source>
        <translation>ลบโฟลเดอร์ไม่ได้</translation>
    </message>
    <message>
        <source>Recent Places</source>
        <translation>ตำแหน่งล่าสุด</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>นำออก</translation>
    </message>
</context>
<context>
    <name>QAbstractFileIconProvider</name>
    <message>
        <source>Drive</source>
        <translation>ไดรฟ์</translation>
    </message>
    <message>
        <source>Folder</source>
        <comment>All other platforms</comment>
        <translation>โฟลเดอร์</translation>
    </message>
    <message>
        <source>Shortcut</source>
        <comment>All other platforms</comment>
        <translation>ทางลัด</translation>
    </message>
    <message>
        <source>File</source>
        <translation>ไฟล์</translation>
    </message>
    <message>
        <source>Unknown</source>
        <translation>ไม่ทราบชนิด</translation>
    </message>
</context>
<context>
    <name>QFileSystemModel</name>
    <message>
        <source>Name</source>
        <translation>ชื่อ</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>ขนาด</translation>
    </message>
    <message>
        <source>Type</source>
        <comment>All other platforms</comment>
        <translation>ชนิด</translation>
    </message>
    <message>
        <source>Date Modified</source>
        <translation>วันที่แก้ไข</translation>
    </message>
    <message>
        <source>Computer</source>
        <translation>เครื่องนี้</translation>
    </message>
</context>
<context>
    <name>QPlatformTheme</name>
    <message>
        <source>OK</source>
        <translation>ตกลง</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>บันทึก</translation>
    </message>
    <message>
        <source>Save All</source>
        <translation>บันทึกทั้งหมด</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>เปิด</translation>
    </message>
    <message>
        <source>&amp;Yes</source>
        <translation>ใช่</translation>
    </message>
    <message>
        <source>Yes to &amp;All</source>
        <translation>ใช่ทั้งหมด</translation>
    </message>
    <message>
        <source>&amp;No</source>
        <translation>ไม่ใช่</translation>
    </message>
    <message>
        <source>N&amp;o to All</source>
        <translation>ไม่ใช่ทั้งหมด</translation>
    </message>
    <message>
        <source>Abort</source>
        <translation>ยุติ</translation>
    </message>
    <message>
        <source>Retry</source>
        <translation>ลองใหม่</translation>
    </message>
    <message>
        <source>Ignore</source>
        <translation>ข้าม</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>ปิด</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>ยกเลิก</translation>
    </message>
    <message>
        <source>Discard</source>
        <translation>ไม่บันทึก</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>วิธีใช้</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>นำไปใช้</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>ตั้งค่าใหม่</translation>
    </message>
    <message>
        <source>Restore Defaults</source>
        <translation>คืนค่าเริ่มต้น</translation>
    </message>
</context>
<context>
    <name>QMessageBox</name>
    <message>
        <source>Show Details...</source>
        <translation>แสดงรายละเอียด...</translation>
    </message>
    <message>
        <source>Hide Details...</source>
        <translation>ซ่อนรายละเอียด...</translation>
    </message>
</context>
<context>
    <name>QLineEdit</name>
    <message>
        <source>&amp;Undo</source>
        <translation>เลิกทำ</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>ทำซ้ำ</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>ตัด</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>คัดลอก</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>วาง</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>ลบ</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>เลือกทั้งหมด</translation>
    </message>
</context>
<context>
    <name>QWidgetTextControl</name>
    <message>
        <source>&amp;Undo</source>
        <translation>เลิกทำ</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>ทำซ้ำ</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>ตัด</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>คัดลอก</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>วาง</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>ลบ</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>เลือกทั้งหมด</translation>
    </message>
    <message>
        <source>Copy &amp;Link Location</source>
        <translation>คัดลอกที่อยู่ลิงก์</translation>
    </message>
</context>
<context>
    <name>QAbstractSpinBox</name>
    <message>
        <source>&amp;Select All</source>
        <translation>เลือกทั้งหมด</translation>
    </message>
    <message>
        <source>&amp;Step up</source>
        <translation>เพิ่มขึ้น</translation>
    </message>
    <message>
        <source>Step &amp;down</source>
        <translation>ลดลง</translation>
    </message>
</context>
<context>
    <name>QTabBar</name>
    <message>
        <source>Scroll Left</source>
        <translation>เลื่อนไปทางซ้าย</translation>
    </message>
    <message>
        <source>Scroll Right</source>
        <translation>เลื่อนไปทางขวา</translation>
    </message>
</context>
<context>
    <name>QPrintPreviewDialog</name>
    <message>
        <source>Print Preview</source>
        <translation>ตัวอย่างก่อนพิมพ์</translation>
    </message>
    <message>
        <source>Next page</source>
        <translation>หน้าถัดไป</translation>
    </message>
    <message>
        <source>Previous page</source>
        <translation>หน้าก่อนหน้า</translation>
    </message>
    <message>
        <source>First page</source>
        <translation>หน้าแรก</translation>
    </message>
    <message>
        <source>Last page</source>
        <translation>หน้าสุดท้าย</translation>
    </message>
    <message>
        <source>Fit width</source>
        <translation>พอดีความกว้าง</translation>
    </message>
    <message>
        <source>Fit page</source>
        <translation>พอดีหน้า</translation>
    </message>
    <message>
        <source>Zoom in</source>
        <translation>ขยาย</translation>
    </message>
    <message>
        <source>Zoom out</source>
        <translation>ย่อ</translation>
    </message>
    <message>
        <source>Portrait</source>
        <translation>แนวตั้ง</translation>
    </message>
    <message>
        <source>Landscape</source>
        <translation>แนวนอน</translation>
    </message>
    <message>
        <source>Show single page</source>
        <translation>แสดงทีละหน้า</translation>
    </message>
    <message>
        <source>Show facing pages</source>
        <translation>แสดงหน้าคู่</translation>
    </message>
    <message>
        <source>Show overview of all pages</source>
        <translation>แสดงทุกหน้า</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>พิมพ์</translation>
    </message>
    <message>
        <source>Page setup</source>
        <translation>ตั้งค่าหน้ากระดาษ</translation>
    </message>
    <message>
        <source>Page Setup</source>
        <translation>ตั้งค่าหน้ากระดาษ</translation>
    </message>
</context>
<context>
    <name>QPrintDialog</name>
    <message>
        <source>Print</source>
        <translation>พิมพ์</translation>
    </message>
    <message>
        <source>&amp;Print</source>
        <translation>พิมพ์</translation>
    </message>
    <message>
        <source>&amp;Options &gt;&gt;</source>
        <translation>ตัวเลือก &gt;&gt;</translation>
    </message>
    <message>
        <source>&amp;Options &lt;&lt;</source>
        <translation>ตัวเลือก &lt;&lt;</translation>
    </message>
    <message>
        <source>Print to File (PDF)</source>
        <translation>พิมพ์ลงไฟล์ (PDF)</translation>
    </message>
    <message>
        <source>Print To File ...</source>
        <translation>พิมพ์ลงไฟล์ ...</translation>
    </message>
    <message>
        <source>Local file</source>
        <translation>ไฟล์ในเครื่อง</translation>
    </message>
    <message>
        <source>Write PDF file</source>
        <translation>เขียนไฟล์ PDF</translation>
    </message>
    <message>
        <source>All Pages</source>
        <translation>ทุกหน้า</translation>
    </message>
    <message>
        <source>Odd Pages</source>
        <translation>หน้าคี่</translation>
    </message>
    <message>
        <source>Even Pages</source>
        <translation>หน้าคู่</translation>
    </message>
    <message>
        <source>Left to Right, Top to Bottom</source>
        <translation>ซ้ายไปขวา บนลงล่าง</translation>
    </message>
    <message>
        <source>Left to Right, Bottom to Top</source>
        <translation>ซ้ายไปขวา ล่างขึ้นบน</translation>
    </message>
    <message>
        <source>Right to Left, Bottom to Top</source>
        <translation>ขวาไปซ้าย ล่างขึ้นบน</translation>
    </message>
    <message>
        <source>Right to Left, Top to Bottom</source>
        <translation>ขวาไปซ้าย บนลงล่าง</translation>
    </message>
    <message>
        <source>Bottom to Top, Left to Right</source>
        <translation>ล่างขึ้นบน ซ้ายไปขวา</translation>
    </message>
    <message>
        <source>Bottom to Top, Right to Left</source>
        <translation>ล่างขึ้นบน ขวาไปซ้าย</translation>
    </message>
    <message>
        <source>Top to Bottom, Left to Right</source>
        <translation>บนลงล่าง ซ้ายไปขวา</translation>
    </message>
    <message>
        <source>Top to Bottom, Right to Left</source>
        <translation>บนลงล่าง ขวาไปซ้าย</translation>
    </message>
    <message>
        <source>%1 is a directory.
Please choose a different file name.</source>
        <translation>%1 เป็นโฟลเดอร์
โปรดเลือกชื่อไฟล์อื่น</translation>
    </message>
    <message>
        <source>%1 already exists.
Do you want to overwrite it?</source>
        <translation>%1 มีอยู่แล้ว
ต้องการบันทึกทับไฟล์เดิมหรือไม่</translation>
    </message>
    <message>
        <source>File %1 is not writable.
Please choose a different file name.</source>
        <translation>เขียนไฟล์ %1 ไม่ได้
โปรดเลือกชื่อไฟล์อื่น</translation>
    </message>
    <message>
        <source>Options &apos;Pages Per Sheet&apos; and &apos;Page Set&apos; cannot be used together.
Please turn one of those options off.</source>
        <translation>ใช้ตัวเลือก &apos;จำนวนหน้าต่อแผ่น&apos; กับ &apos;ชุดหน้า&apos; พร้อมกันไม่ได้
โปรดปิดตัวเลือกใดตัวเลือกหนึ่ง</translation>
    </message>
    <message>
        <source>Invalid Pages Definition</source>
        <translation>ระบุหน้าไม่ถูกต้อง</translation>
    </message>
    <message>
        <source>%1 does not follow the correct syntax. Please use &apos;,&apos; to separate ranges and pages, &apos;-&apos; to define ranges and make sure ranges do not intersect with each other.</source>
        <translation>%1 เขียนไม่ถูกรูปแบบ โปรดใช้ &apos;,&apos; คั่นหน้าหรือช่วงหน้า ใช้ &apos;-&apos; กำหนดช่วงหน้า และช่วงหน้าต้องไม่ซ้อนกัน</translation>
    </message>
    <message>
        <source>Duplex Settings Conflicts</source>
        <translation>การตั้งค่าพิมพ์สองหน้าขัดแย้งกัน</translation>
    </message>
    <message>
        <source>There are conflicts in duplex settings. Do you want to fix them?</source>
        <translation>การตั้งค่าพิมพ์สองหน้าขัดแย้งกัน ต้องการแก้ไขหรือไม่</translation>
    </message>
</context>
<context>
    <name>QPrintPropertiesDialog</name>
    <message>
        <source>Printer Properties</source>
        <translation>คุณสมบัติเครื่องพิมพ์</translation>
    </message>
    <message>
        <source>Job Options</source>
        <translation>ตัวเลือกงานพิมพ์</translation>
    </message>
    <message>
        <source>Page Setup Conflicts</source>
        <translation>การตั้งค่าหน้ากระดาษขัดแย้งกัน</translation>
    </message>
    <message>
        <source>There are conflicts in page setup options. Do you want to fix them?</source>
        <translation>ตัวเลือกการตั้งค่าหน้ากระดาษขัดแย้งกัน ต้องการแก้ไขหรือไม่</translation>
    </message>
    <message>
        <source>Advanced Option Conflicts</source>
        <translation>ตัวเลือกขั้นสูงขัดแย้งกัน</translation>
    </message>
    <message>
        <source>There are conflicts in some advanced options. Do you want to fix them?</source>
        <translation>ตัวเลือกขั้นสูงบางรายการขัดแย้งกัน ต้องการแก้ไขหรือไม่</translation>
    </message>
</context>
<context>
    <name>QPrintPropertiesWidget</name>
    <message>
        <source>Page</source>
        <translation>หน้ากระดาษ</translation>
    </message>
    <message>
        <source>Advanced</source>
        <translation>ขั้นสูง</translation>
    </message>
    <message>
        <source>There are conflicts in some options. Please fix them.</source>
        <translation>ตัวเลือกบางรายการขัดแย้งกัน โปรดแก้ไข</translation>
    </message>
</context>
<context>
    <name>QPrintSettingsOutput</name>
    <message>
        <source>Copies</source>
        <translation>สำเนา</translation>
    </message>
    <message>
        <source>Print range</source>
        <translation>ช่วงที่พิมพ์</translation>
    </message>
    <message>
        <source>Print all</source>
        <translation>พิมพ์ทุกหน้า</translation>
    </message>
    <message>
        <source>Pages from</source>
        <translation>ตั้งแต่หน้า</translation>
    </message>
    <message>
        <source>to</source>
        <translation>ถึง</translation>
    </message>
    <message>
        <source>Pages</source>
        <translation>เฉพาะหน้า</translation>
    </message>
    <message>
        <source>Specify pages or ranges separated by commas. Ranges are specified by two numbers separated by a hyphen. E.g: 3,5-7,9 prints pages 3, 5, 6, 7 and 9.</source>
        <translation>ระบุหน้าหรือช่วงหน้าคั่นด้วยจุลภาค ช่วงหน้าเขียนเป็นเลขสองตัวคั่นด้วยขีด เช่น 3,5-7,9 พิมพ์หน้า 3, 5, 6, 7 และ 9</translation>
    </message>
    <message>
        <source>Current Page</source>
        <translation>หน้าปัจจุบัน</translation>
    </message>
    <message>
        <source>Selection</source>
        <translation>ส่วนที่เลือก</translation>
    </message>
    <message>
        <source>Output Settings</source>
        <translation>การพิมพ์</translation>
    </message>
    <message>
        <source>Copies:</source>
        <translation>จำนวนสำเนา:</translation>
    </message>
    <message>
        <source>Collate</source>
        <translation>เรียงชุด</translation>
    </message>
    <message>
        <source>Reverse</source>
        <translation>เรียงย้อนกลับ</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>ตัวเลือก</translation>
    </message>
    <message>
        <source>Color Mode</source>
        <translation>สี</translation>
    </message>
    <message>
        <source>Color</source>
        <translation>สี</translation>
    </message>
    <message>
        <source>Grayscale</source>
        <translation>ขาวดำ</translation>
    </message>
    <message>
        <source>Double Sided Printing</source>
        <translation>พิมพ์สองหน้า</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>ไม่พิมพ์สองหน้า</translation>
    </message>
    <message>
        <source>Long side binding</source>
        <translation>พลิกด้านยาว</translation>
    </message>
    <message>
        <source>Short side binding</source>
        <translation>พลิกด้านสั้น</translation>
    </message>
    <message>
        <source>Page Set:</source>
        <translation>ชุดหน้า:</translation>
    </message>
</context>
<context>
    <name>QPrintWidget</name>
    <message>
        <source>Printer</source>
        <translation>เครื่องพิมพ์</translation>
    </message>
    <message>
        <source>&amp;Name:</source>
        <translation>ชื่อ:</translation>
    </message>
    <message>
        <source>P&amp;roperties</source>
        <translation>คุณสมบัติ</translation>
    </message>
    <message>
        <source>Location:</source>
        <translation>ตำแหน่ง:</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>ตัวอย่าง</translation>
    </message>
    <message>
        <source>Type:</source>
        <translation>ชนิด:</translation>
    </message>
    <message>
        <source>Output &amp;file:</source>
        <translation>ไฟล์ผลลัพธ์:</translation>
    </message>
</context>
<context>
    <name>QPageSetupWidget</name>
    <message>
        <source>Paper</source>
        <translation>กระดาษ</translation>
    </message>
    <message>
        <source>Page size:</source>
        <translation>ขนาดกระดาษ:</translation>
    </message>
    <message>
        <source>Width:</source>
        <translation>กว้าง:</translation>
    </message>
    <message>
        <source>Height:</source>
        <translation>สูง:</translation>
    </message>
    <message>
        <source>Paper source:</source>
        <translation>ถาดกระดาษ:</translation>
    </message>
    <message>
        <source>Orientation</source>
        <translation>แนวกระดาษ</translation>
    </message>
    <message>
        <source>Portrait</source>
        <translation>แนวตั้ง</translation>
    </message>
    <message>
        <source>Landscape</source>
        <translation>แนวนอน</translation>
    </message>
    <message>
        <source>Reverse landscape</source>
        <translation>แนวนอนกลับหัว</translation>
    </message>
    <message>
        <source>Reverse portrait</source>
        <translation>แนวตั้งกลับหัว</translation>
    </message>
    <message>
        <source>Margins</source>
        <translation>ระยะขอบ</translation>
    </message>
    <message>
        <source>top margin</source>
        <translation>ขอบบน</translation>
    </message>
    <message>
        <source>left margin</source>
        <translation>ขอบซ้าย</translation>
    </message>
    <message>
        <source>right margin</source>
        <translation>ขอบขวา</translation>
    </message>
    <message>
        <source>bottom margin</source>
        <translation>ขอบล่าง</translation>
    </message>
    <message>
        <source>Page Layout</source>
        <translation>การจัดหน้า</translation>
    </message>
    <message>
        <source>Page order:</source>
        <translation>ลำดับหน้า:</translation>
    </message>
    <message>
        <source>Pages per sheet:</source>
        <translation>จำนวนหน้าต่อแผ่น:</translation>
    </message>
    <message>
        <source>Custom</source>
        <translation>กำหนดเอง</translation>
    </message>
    <message>
        <source>Millimeters (mm)</source>
        <translation>มิลลิเมตร (mm)</translation>
    </message>
    <message>
        <source>Points (pt)</source>
        <translation>พอยต์ (pt)</translation>
    </message>
    <message>
        <source>Inches (in)</source>
        <translation>นิ้ว (in)</translation>
    </message>
    <message>
        <source>mm</source>
        <translation> มม.</translation>
    </message>
</context>
<context>
    <name>QCupsJobWidget</name>
    <message>
        <source>Job</source>
        <translation>งานพิมพ์</translation>
    </message>
    <message>
        <source>Job Control</source>
        <translation>การควบคุมงานพิมพ์</translation>
    </message>
    <message>
        <source>Scheduled printing:</source>
        <translation>กำหนดเวลาพิมพ์:</translation>
    </message>
    <message>
        <source>Billing information:</source>
        <translation>ข้อมูลการคิดค่าพิมพ์:</translation>
    </message>
    <message>
        <source>Job priority:</source>
        <translation>ลำดับความสำคัญ:</translation>
    </message>
    <message>
        <source>Banner Pages</source>
        <translation>หน้าคั่นงานพิมพ์</translation>
    </message>
    <message>
        <source>Start:</source>
        <comment>Banner page at start</comment>
        <translation>ต้นงาน:</translation>
    </message>
    <message>
        <source>End:</source>
        <comment>Banner page at end</comment>
        <translation>ท้ายงาน:</translation>
    </message>
    <message>
        <source>Print Immediately</source>
        <translation>พิมพ์ทันที</translation>
    </message>
    <message>
        <source>Hold Indefinitely</source>
        <translation>พักไว้จนกว่าจะสั่งพิมพ์</translation>
    </message>
    <message>
        <source>Day (06:00 to 17:59)</source>
        <translation>กลางวัน (06:00 ถึง 17:59)</translation>
    </message>
    <message>
        <source>Night (18:00 to 05:59)</source>
        <translation>กลางคืน (18:00 ถึง 05:59)</translation>
    </message>
    <message>
        <source>Second Shift (16:00 to 23:59)</source>
        <translation>กะที่สอง (16:00 ถึง 23:59)</translation>
    </message>
    <message>
        <source>Third Shift (00:00 to 07:59)</source>
        <translation>กะที่สาม (00:00 ถึง 07:59)</translation>
    </message>
    <message>
        <source>Weekend (Saturday to Sunday)</source>
        <translation>สุดสัปดาห์ (เสาร์ถึงอาทิตย์)</translation>
    </message>
    <message>
        <source>Specific Time</source>
        <translation>ระบุเวลา</translation>
    </message>
    <message>
        <source>None</source>
        <comment>CUPS Banner page</comment>
        <translation>ไม่มี</translation>
    </message>
    <message>
        <source>Standard</source>
        <comment>CUPS Banner page</comment>
        <translation>มาตรฐาน</translation>
    </message>
    <message>
        <source>Unclassified</source>
        <comment>CUPS Banner page</comment>
        <translation>ไม่มีชั้นความลับ</translation>
    </message>
    <message>
        <source>Confidential</source>
        <comment>CUPS Banner page</comment>
        <translation>ลับ</translation>
    </message>
    <message>
        <source>Classified</source>
        <comment>CUPS Banner page</comment>
        <translation>มีชั้นความลับ</translation>
    </message>
    <message>
        <source>Secret</source>
        <comment>CUPS Banner page</comment>
        <translation>ลับมาก</translation>
    </message>
    <message>
        <source>Top Secret</source>
        <comment>CUPS Banner page</comment>
        <translation>ลับที่สุด</translation>
    </message>
</context>
</TS>
