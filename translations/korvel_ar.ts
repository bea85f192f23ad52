<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ar">
<context>
    <name>AboutBox</name>
    <message>
        <source>Version %1.%2.%3</source>
        <translation>الإصدار %1.%2.%3</translation>
    </message>
    <message>
        <source>About %1</source>
        <translation>حول %1</translation>
    </message>
    <message>
        <source>Application icon</source>
        <translation>أيقونة البرنامج</translation>
    </message>
    <message>
        <source>Patient files, procedures, invoices and reports for a one-doctor clinic.</source>
        <translation>ملفات المرضى والخدمات والفواتير والتقارير لعيادة الطبيب الواحد.</translation>
    </message>
    <message>
        <source>Made by ovrant.</source>
        <translation>من إنتاج ovrant.</translation>
    </message>
    <message>
        <source>Web site %1</source>
        <translation>الموقع الإلكتروني %1</translation>
    </message>
    <message>
        <source>&amp;System Info...</source>
        <translation>معلومات النظام...</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>موافق</translation>
    </message>
    <message>
        <source>System Information Is Unavailable At This Time</source>
        <translation>معلومات النظام غير متاحة حالياً</translation>
    </message>
</context>
<context>
    <name>BackupMenu</name>
    <message>
        <source>Restore</source>
        <translation>استعادة</translation>
    </message>
    <message>
        <source>cannot be read</source>
        <translation>تتعذر قراءتها</translation>
    </message>
    <message>
        <source>There are no backups in %1 yet.</source>
        <translation>لا توجد نسخ احتياطية في %1 حتى الآن.</translation>
    </message>
    <message>
        <source>Choose the backup to put in the place of the current database (backups in %1). The current database is backed up first.</source>
        <translation>اختر النسخة الاحتياطية التي تحل محل قاعدة البيانات الحالية (النسخ الاحتياطية في %1). تُحفظ نسخة احتياطية من قاعدة البيانات الحالية أولاً.</translation>
    </message>
    <message>
        <source>Taken</source>
        <translation>وقت النسخ</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>الحجم</translation>
    </message>
    <message>
        <source>Patients</source>
        <translation>المرضى</translation>
    </message>
    <message>
        <source>Invoices</source>
        <translation>الفواتير</translation>
    </message>
    <message>
        <source>File</source>
        <translation>الملف</translation>
    </message>
    <message>
        <source>The database was backed up to %1 (%2).</source>
        <translation>حُفظت نسخة احتياطية من قاعدة البيانات في %1 (%2).</translation>
    </message>
    <message>
        <source>Restore the database as it was on %1?<byte value="xd"/>
What was entered since then stays only in the backup that is taken of the current database now.</source>
        <translation>هل تريد استعادة قاعدة البيانات كما كانت في %1؟<byte value="xd"/>
ما أُدخل بعد ذلك يبقى فقط في النسخة الاحتياطية التي تؤخذ الآن من قاعدة البيانات الحالية.</translation>
    </message>
    <message>
        <source>The database was not restored.<byte value="xd"/>
</source>
        <translation>لم تتم استعادة قاعدة البيانات.<byte value="xd"/>
</translation>
    </message>
    <message>
        <source>The database was restored as it was on %1.</source>
        <translation>استُعيدت قاعدة البيانات كما كانت في %1.</translation>
    </message>
    <message>
        <source>Select Backups Folder</source>
        <translation>اختر مجلد النسخ الاحتياطية</translation>
    </message>
    <message>
        <source>Korvel cannot write to %1. Choose another folder for the backups.</source>
        <translation>لا يستطيع Korvel الكتابة في %1. اختر مجلداً آخر للنسخ الاحتياطية.</translation>
    </message>
    <message>
        <source>The backups go to %1 from now on.</source>
        <translation>تُحفظ النسخ الاحتياطية في %1 من الآن فصاعداً.</translation>
    </message>
    <message>
        <source>bytes</source>
        <translation>بايت</translation>
    </message>
    <message>
        <source>kB</source>
        <translation>كيلوبايت</translation>
    </message>
    <message>
        <source>MB</source>
        <translation>ميغابايت</translation>
    </message>
    <message>
        <source>GB</source>
        <translation>غيغابايت</translation>
    </message>
    <message>
        <source>TB</source>
        <translation>تيرابايت</translation>
    </message>
    <message>
        <source>Folder</source>
        <translation>المجلد</translation>
    </message>
</context>
<context>
    <name>Backups</name>
    <message>
        <source>The backups folder %1 cannot be made.</source>
        <translation>تعذر إنشاء مجلد النسخ الاحتياطية %1.</translation>
    </message>
    <message>
        <source>The database could not be backed up to %1.</source>
        <translation>تعذر حفظ نسخة احتياطية من قاعدة البيانات في %1.</translation>
    </message>
    <message>
        <source>Your work goes on as usual. Check that the folder is there, can be written and has room, or choose another one with Settings &gt; Backups Folder.</source>
        <translation>يمكنك متابعة العمل كالمعتاد. تأكد من وجود المجلد وإمكانية الكتابة فيه ووجود مساحة كافية، أو اختر مجلداً آخر من الإعدادات &gt; مجلد النسخ الاحتياطية.</translation>
    </message>
    <message>
        <source>The database is on the server %1: it is backed up by the server&apos;s own tools (pg_dump, or the server&apos;s backups), not by Korvel.</source>
        <translation>قاعدة البيانات على الخادم %1: تُنسخ احتياطياً بأدوات الخادم نفسه (pg_dump أو النسخ الاحتياطي للخادم)، لا بواسطة Korvel.</translation>
    </message>
</context>
<context>
    <name>CatalogScreen</name>
    <message>
        <source>Code Number :</source>
        <translation>رقم الرمز :</translation>
    </message>
    <message>
        <source>Description Entry</source>
        <translation>إدخال الخدمات</translation>
    </message>
    <message>
        <source>Procedures</source>
        <translation>الخدمات</translation>
    </message>
    <message>
        <source>ID</source>
        <translation>المعرّف</translation>
    </message>
    <message>
        <source>Code</source>
        <translation>الرمز</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>الوصف</translation>
    </message>
    <message>
        <source>Amount</source>
        <translation>المبلغ</translation>
    </message>
    <message>
        <source>Code :</source>
        <translation>الرمز :</translation>
    </message>
    <message>
        <source>Description :</source>
        <translation>الوصف :</translation>
    </message>
    <message>
        <source>Amount SR :</source>
        <translation>المبلغ (ر.س) :</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>حفظ</translation>
    </message>
    <message>
        <source>&amp;New</source>
        <translation>جديد</translation>
    </message>
    <message>
        <source>&amp;Open</source>
        <translation>فتح</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>إلغاء</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>حذف</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>خروج</translation>
    </message>
    <message>
        <source>is found</source>
        <translation> موجود مسبقاً</translation>
    </message>
    <message>
        <source>not found</source>
        <translation>غير موجود</translation>
    </message>
</context>
<context>
    <name>CompactMenu</name>
    <message>
        <source>Compact Database failed!<byte value="xd"/>
</source>
        <translation>فشل ضغط قاعدة البيانات!<byte value="xd"/>
</translation>
    </message>
    <message>
        <source>Database was compacted successfully</source>
        <translation>تم ضغط قاعدة البيانات بنجاح</translation>
    </message>
    <message>
        <source>Compact the database without this backup?</source>
        <translation>هل تريد ضغط قاعدة البيانات دون هذه النسخة الاحتياطية؟</translation>
    </message>
</context>
<context>
    <name>CopyDatabaseMenu</name>
    <message>
        <source>Copy Database</source>
        <translation>نسخ قاعدة البيانات</translation>
    </message>
    <message>
        <source>Copy the database to a new file (its full path)<byte value="xd"/>
or to a database on a PostgreSQL server (postgresql://user@host:5432/database):</source>
        <translation>انسخ قاعدة البيانات إلى ملف جديد (مساره الكامل)<byte value="xd"/>
أو إلى قاعدة بيانات على خادم PostgreSQL ‏(postgresql://user@host:5432/database):</translation>
    </message>
    <message>
        <source>Copying the database</source>
        <translation>جارٍ نسخ قاعدة البيانات</translation>
    </message>
    <message>
        <source>The database was copied to %1:<byte value="xd"/>
</source>
        <translation>نُسخت قاعدة البيانات إلى %1:<byte value="xd"/>
</translation>
    </message>
    <message>
        <source>The copy was cancelled: nothing was copied.</source>
        <translation>أُلغي النسخ: لم يُنسخ شيء.</translation>
    </message>
    <message>
        <source>Copy Database failed!<byte value="xd"/>
</source>
        <translation>فشل نسخ قاعدة البيانات!<byte value="xd"/>
</translation>
    </message>
</context>
<context>
    <name>CsvExport</name>
    <message>
        <source>Exporting %1 rows</source>
        <translation>جارٍ تصدير %1 صف</translation>
    </message>
    <message>
        <source>CSV Files (*.csv)|*.csv</source>
        <translation>ملفات CSV ‏(*.csv)|*.csv</translation>
    </message>
    <message>
        <source>Export to CSV</source>
        <translation>التصدير إلى CSV</translation>
    </message>
    <message>
        <source>Export to CSV...</source>
        <translation>تصدير إلى CSV...</translation>
    </message>
</context>
<context>
    <name>CsvFile</name>
    <message>
        <source>The file %1 could not be written (%2).</source>
        <translation>تعذرت الكتابة في الملف %1 (%2).</translation>
    </message>
</context>
<context>
    <name>DataErrors</name>
    <message>
        <source>No current record.</source>
        <translation>لا يوجد سجل حالي.</translation>
    </message>
    <message>
        <source>Item &apos;%1&apos; not found in this collection.</source>
        <translation>الحقل ‏&apos;%1&apos;‏ غير موجود في هذه المجموعة.</translation>
    </message>
    <message>
        <source>Cannot find the input table or query &apos;%1&apos;. Make sure it exists and that its name is spelled correctly.</source>
        <translation>تعذر العثور على الجدول أو الاستعلام ‏&apos;%1&apos;‏. تأكد من وجوده ومن كتابة اسمه بشكل صحيح.</translation>
    </message>
    <message>
        <source>Cannot update. Database or object is read-only.</source>
        <translation>تعذر التحديث. قاعدة البيانات أو العنصر للقراءة فقط.</translation>
    </message>
    <message>
        <source>Data type conversion error: &apos;%1&apos; takes a whole number.</source>
        <translation>خطأ في تحويل نوع البيانات: الحقل ‏&apos;%1&apos;‏ يقبل عدداً صحيحاً فقط.</translation>
    </message>
    <message>
        <source>Record is deleted.</source>
        <translation>السجل محذوف.</translation>
    </message>
    <message>
        <source>Object invalid or no longer set.</source>
        <translation>العنصر غير صالح أو لم يعد معيّناً.</translation>
    </message>
</context>
<context>
    <name>Database</name>
    <message>
        <source>The database is in use by another program and cannot be compacted now (%1)</source>
        <translation>قاعدة البيانات مستخدمة من برنامج آخر ولا يمكن ضغطها الآن (%1)</translation>
    </message>
    <message>
        <source>You cannot write to the database %1 or to its folder, so it was not compacted. Nothing was changed.</source>
        <translation>لا تملك صلاحية الكتابة في قاعدة البيانات %1 أو في مجلدها، لذلك لم تُضغط. لم يتغير شيء.</translation>
    </message>
    <message>
        <source>Could not find file &apos;%1&apos;.</source>
        <translation>تعذر العثور على الملف &apos;%1&apos;.</translation>
    </message>
    <message>
        <source>%1 patient files and %2 invoices (%3 rows); the counts and the yearly sums are the same on both sides.</source>
        <translation>%1 ملف مريض و%2 فاتورة (%3 صف)؛ الأعداد والمجاميع السنوية متطابقة في الطرفين.</translation>
    </message>
    <message>
        <source>The database %1 is in use by another copy of this program on the computer %2 since %3 (process %4).<byte value="xd"/>
Only one copy can work on a database at a time: close the other copy first.</source>
        <translation>قاعدة البيانات %1 مستخدمة من نسخة أخرى من هذا البرنامج على الجهاز %2 منذ %3 (العملية %4).<byte value="xd"/>
لا يمكن أن تعمل على قاعدة البيانات إلا نسخة واحدة في الوقت نفسه: أغلق النسخة الأخرى أولاً.</translation>
    </message>
    <message>
        <source>Updating the indexes of the database</source>
        <translation>جارٍ تحديث فهارس قاعدة البيانات</translation>
    </message>
    <message>
        <source>The database %1 is damaged (%2).<byte value="xd"/>
Working on it can lose more data: make a copy of the file now, and go back to your last good copy of the database or have this one repaired.</source>
        <translation>قاعدة البيانات %1 تالفة (%2).<byte value="xd"/>
العمل عليها قد يُفقد مزيداً من البيانات: انسخ الملف الآن، ثم عد إلى آخر نسخة سليمة من قاعدة البيانات أو اطلب إصلاح هذه النسخة.</translation>
    </message>
    <message>
        <source>Recording the payments of the invoices already saved</source>
        <translation>جارٍ تسجيل دفعات الفواتير المحفوظة سابقاً</translation>
    </message>
    <message>
        <source>The value in field %1 is not a whole number of 32 bits</source>
        <translation>القيمة في الحقل %1 ليست عدداً صحيحاً من 32 بت</translation>
    </message>
    <message>
        <source>The value in field %1 is not Yes or No</source>
        <translation>القيمة في الحقل %1 ليست نعم أو لا</translation>
    </message>
    <message>
        <source>The field %1 holds at most %2 characters</source>
        <translation>الحقل %1 يتسع لـ %2 حرفاً على الأكثر</translation>
    </message>
    <message>
        <source>Field %1 cannot be a zero-length string</source>
        <translation>لا يجوز أن يكون الحقل %1 فارغاً</translation>
    </message>
    <message>
        <source>Could not reach the database %1: %2</source>
        <translation>تعذر الوصول إلى قاعدة البيانات %1: %2</translation>
    </message>
    <message>
        <source>The database %1 is in use by another program, which keeps it locked.<byte value="xd"/>
Do you want to try again?</source>
        <translation>قاعدة البيانات %1 مستخدمة من برنامج آخر يُبقيها مقفلة.<byte value="xd"/>
هل تريد المحاولة مرة أخرى؟</translation>
    </message>
    <message>
        <source>The record was changed at another workstation since you read it, and your changes were not saved. It now holds:<byte value="xd"/>
%1<byte value="xd"/>
Save again to put your values over it.</source>
        <translation>عُدّل هذا السجل من جهاز آخر بعد أن قرأته، ولم تُحفظ تعديلاتك. يحتوي الآن على:<byte value="xd"/>
%1<byte value="xd"/>
احفظ مرة أخرى لتكتب قيمك فوقه.</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a server address such as postgresql://clinic@dbhost:5432/korvel.</source>
        <translation>&apos;%1&apos; ليس عنوان خادم مثل postgresql://clinic@dbhost:5432/korvel.</translation>
    </message>
    <message>
        <source>The password is never kept in the settings: put it in the file ~/.pgpass (host:port:database:user:password) and give the address without it.</source>
        <translation>لا تُحفظ كلمة المرور في الإعدادات أبداً: ضعها في الملف ~/.pgpass ‏(host:port:database:user:password) وأدخل العنوان بدونها.</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a valid server address.</source>
        <translation>‏&apos;%1&apos;‏ ليس عنوان خادم صالحاً.</translation>
    </message>
    <message>
        <source>the column %1.%2 is not one of Korvel&apos;s</source>
        <translation>العمود %1.%2 ليس من أعمدة Korvel</translation>
    </message>
    <message>
        <source>the column %1.%2 is of the type &quot;%3&quot; instead of &quot;%4&quot;</source>
        <translation>العمود %1.%2 من النوع &quot;%3&quot; بدلاً من &quot;%4&quot;</translation>
    </message>
    <message>
        <source>the table %1 has no column %2</source>
        <translation>الجدول %1 ليس فيه العمود %2</translation>
    </message>
    <message>
        <source>the table %1 is missing</source>
        <translation>الجدول %1 غير موجود</translation>
    </message>
    <message>
        <source>%1 is not one of Korvel&apos;s tables</source>
        <translation>%1 ليس من جداول Korvel</translation>
    </message>
    <message>
        <source>%1 is a view, not a table</source>
        <translation>%1 عرض وليس جدولاً</translation>
    </message>
    <message>
        <source>%1 is not a database of Korvel:</source>
        <translation>%1 ليس قاعدة بيانات لKorvel:</translation>
    </message>
    <message>
        <source>The earlier program&apos;s database %1 cannot be read: %2</source>
        <translation>تتعذر قراءة قاعدة بيانات البرنامج السابق ‎%1‎: %2</translation>
    </message>
    <message>
        <source>the table %1 cannot be read.</source>
        <translation>تتعذر قراءة الجدول %1.</translation>
    </message>
    <message>
        <source>the table %1 records %2 rows, but only %3 can be read: the file is cut short or damaged.</source>
        <translation>يسجّل الجدول %1 عدد %2 صف، لكن لا يمكن قراءة سوى %3: الملف ناقص أو تالف.</translation>
    </message>
    <message>
        <source>it is not a Jet file.</source>
        <translation>ليس ملف Jet.</translation>
    </message>
    <message>
        <source>the file is cut short or damaged.</source>
        <translation>الملف ناقص أو تالف.</translation>
    </message>
    <message>
        <source>it is not an Access 2000 (Jet 4) database, or it is damaged.</source>
        <translation>ليست قاعدة بيانات Access 2000 ‏(Jet 4)، أو أنها تالفة.</translation>
    </message>
    <message>
        <source>a row of %1 is damaged.</source>
        <translation>أحد صفوف %1 تالف.</translation>
    </message>
    <message>
        <source>the table is missing</source>
        <translation>الجدول غير موجود</translation>
    </message>
    <message>
        <source>copied empty</source>
        <translation>نُسخ فارغاً</translation>
    </message>
    <message>
        <source>a column Korvel does not have</source>
        <translation>عمود لا يوجد في Korvel</translation>
    </message>
    <message>
        <source>left out</source>
        <translation>لم يُنسخ</translation>
    </message>
    <message>
        <source>row %1</source>
        <translation>الصف %1</translation>
    </message>
    <message>
        <source>empty where the column does not take an empty text</source>
        <translation>فارغ في عمود لا يقبل نصاً فارغاً</translation>
    </message>
    <message>
        <source>stored as null</source>
        <translation>حُفظ بلا قيمة (null)</translation>
    </message>
    <message>
        <source>longer than %1 characters</source>
        <translation>أطول من %1 حرفاً</translation>
    </message>
    <message>
        <source>The copy was cancelled.</source>
        <translation>أُلغي النسخ.</translation>
    </message>
    <message>
        <source>The copy of %1 holds %2 rows instead of %3.</source>
        <translation>تحتوي نسخة %1 على %2 صف بدلاً من %3.</translation>
    </message>
    <message>
        <source>The yearly sums of the invoices differ after the copy.</source>
        <translation>تختلف المجاميع السنوية للفواتير بعد النسخ.</translation>
    </message>
    <message>
        <source>The sum of the payments differs after the copy.</source>
        <translation>يختلف مجموع الدفعات بعد النسخ.</translation>
    </message>
    <message>
        <source>%1 is an Access database, but not the clinic&apos;s: it holds the tables %2 and no table %3.</source>
        <translation>‎%1‎ قاعدة بيانات Access، لكنها ليست قاعدة بيانات العيادة: تحتوي الجداول %2 ولا تحتوي الجدول %3.</translation>
    </message>
    <message>
        <source>The import report %1 cannot be written.</source>
        <translation>تتعذر كتابة تقرير الاستيراد ‎%1‎.</translation>
    </message>
    <message>
        <source>... and %1 more.</source>
        <translation>... و%1 غيرها.</translation>
    </message>
    <message>
        <source>The copy was stopped: nothing was copied.</source>
        <translation>أُوقف النسخ: لم يُنسخ شيء.</translation>
    </message>
    <message>
        <source>The connection to the database server was lost (%1). It has been made again, but this was not saved: please try again.</source>
        <translation>انقطع الاتصال بخادم قاعدة البيانات (%1). أُعيد الاتصال، لكن هذا لم يُحفظ: يُرجى المحاولة مرة أخرى.</translation>
    </message>
    <message>
        <source>Could not reach the database %1: Qt&apos;s PostgreSQL driver is not installed. Install the package libqt6sql6-psql (sudo apt install libqt6sql6-psql) and try again.</source>
        <translation>تعذر الوصول إلى قاعدة البيانات %1: برنامج تشغيل PostgreSQL الخاص بـ Qt غير مثبّت. ثبّت الحزمة libqt6sql6-psql ‏(sudo apt install libqt6sql6-psql) ثم حاول مرة أخرى.</translation>
    </message>
</context>
<context>
    <name>DatabaseMenu</name>
    <message>
        <source>This database is invalid!</source>
        <translation>قاعدة البيانات هذه غير صالحة!</translation>
    </message>
    <message>
        <source>The Database korvel_data.mdb file must be copied to this Direcotry first!</source>
        <translation>يجب نسخ ملف قاعدة البيانات korvel_data.mdb إلى هذا المجلد أولاً!</translation>
    </message>
    <message>
        <source>Database Change Cancelled</source>
        <translation>أُلغي تغيير قاعدة البيانات</translation>
    </message>
    <message>
        <source>Are you sure you want to change the Database Directory</source>
        <translation>هل أنت متأكد من تغيير مجلد قاعدة البيانات؟</translation>
    </message>
</context>
<context>
    <name>DatabaseProcedures</name>
    <message>
        <source>The database has been modified successfully</source>
        <translation>تم تحديث قاعدة البيانات بنجاح</translation>
    </message>
</context>
<context>
    <name>InvoiceDate</name>
    <message>
        <source>&quot;%1&quot; is not a date. Type the day as DD/MM/YYYY, for example 05/03/2027. The invoice was not saved.</source>
        <translation>&quot;%1&quot; ليس تاريخاً. اكتب اليوم بالصيغة DD/MM/YYYY، مثل 05/03/2027. لم تُحفظ الفاتورة.</translation>
    </message>
</context>
<context>
    <name>InvoiceListScreen</name>
    <message>
        <source>Invoice Replacment</source>
        <translation>تعديل الفواتير</translation>
    </message>
    <message>
        <source>Invoices</source>
        <translation>الفواتير</translation>
    </message>
    <message>
        <source>Patient No</source>
        <translation>رقم المريض</translation>
    </message>
    <message>
        <source>Patient Name</source>
        <translation>اسم المريض</translation>
    </message>
    <message>
        <source>Invoice No</source>
        <translation>رقم الفاتورة</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>التاريخ</translation>
    </message>
    <message>
        <source>Amount</source>
        <translation>المبلغ</translation>
    </message>
    <message>
        <source>Net Due</source>
        <translation>المبلغ المتبقي</translation>
    </message>
    <message>
        <source>Invoice Details</source>
        <translation>تفاصيل الفاتورة</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>الوصف</translation>
    </message>
    <message>
        <source>Code</source>
        <translation>الرمز</translation>
    </message>
    <message>
        <source>Invoice NO :</source>
        <translation>رقم الفاتورة :</translation>
    </message>
    <message>
        <source>Date :</source>
        <translation>التاريخ :</translation>
    </message>
    <message>
        <source>Amount SR :</source>
        <translation>المبلغ (ر.س) :</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>حفظ</translation>
    </message>
    <message>
        <source>&amp;Open</source>
        <translation>فتح</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>حذف</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>خروج</translation>
    </message>
    <message>
        <source>&amp;Invoices</source>
        <translation>الفواتير</translation>
    </message>
    <message>
        <source>&amp;Outstanding</source>
        <translation>غير المسددة</translation>
    </message>
    <message>
        <source>&amp;All</source>
        <translation>الكل</translation>
    </message>
    <message>
        <source>&amp;Print</source>
        <translation>طباعة</translation>
    </message>
    <message>
        <source>&amp;Screen</source>
        <translation>الشاشة</translation>
    </message>
    <message>
        <source>P&amp;rinter</source>
        <translation>الطابعة</translation>
    </message>
    <message>
        <source>Pending Invoices</source>
        <translation>الفواتير غير المسددة</translation>
    </message>
    <message>
        <source>All Invoices</source>
        <translation>جميع الفواتير</translation>
    </message>
    <message>
        <source>Numeric fields must be NUMERIC!</source>
        <translation>الحقول الرقمية يجب أن تحتوي أرقاماً فقط!</translation>
    </message>
    <message>
        <source>There is no more information to display about this invoice&apos;s details</source>
        <translation>لا توجد معلومات أخرى لعرضها عن تفاصيل هذه الفاتورة</translation>
    </message>
    <message>
        <source>Code Number :</source>
        <translation>رقم الرمز :</translation>
    </message>
    <message>
        <source>not found</source>
        <translation>غير موجود</translation>
    </message>
    <message>
        <source>Invice No :</source>
        <translation>رقم الفاتورة :</translation>
    </message>
    <message>
        <source>Net Due cannot be more than the total amount!!</source>
        <translation>لا يمكن أن يزيد المبلغ المتبقي على المبلغ الإجمالي!!</translation>
    </message>
    <message>
        <source>Delete invoice %1 of %2 (patient %3), amount %4?</source>
        <translation>هل تريد حذف الفاتورة %1 للمريض %2 (الملف %3)، بمبلغ %4؟</translation>
    </message>
    <message>
        <source>The %1 it took is booked as paid back today.</source>
        <translation>ويُقيَّد مبلغ %1 الذي دُفع عنها مردوداً اليوم.</translation>
    </message>
</context>
<context>
    <name>InvoiceReport</name>
    <message>
        <source>There is no invoice available to print!</source>
        <translation>لا توجد فاتورة للطباعة!</translation>
    </message>
</context>
<context>
    <name>InvoiceScreen</name>
    <message>
        <source>Invoices</source>
        <translation>الفواتير</translation>
    </message>
    <message>
        <source>File Number </source>
        <translation>رقم الملف </translation>
    </message>
    <message>
        <source>Name    :</source>
        <translation>الاسم    :</translation>
    </message>
    <message>
        <source>Address :</source>
        <translation>العنوان :</translation>
    </message>
    <message>
        <source>Date :</source>
        <translation>التاريخ :</translation>
    </message>
    <message>
        <source>Code</source>
        <translation>الرمز</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>الوصف</translation>
    </message>
    <message>
        <source>Amount SR</source>
        <translation>المبلغ (ر.س)</translation>
    </message>
    <message>
        <source>O&amp;K</source>
        <translation>موافق</translation>
    </message>
    <message>
        <source>Invoice lines</source>
        <translation>بنود الفاتورة</translation>
    </message>
    <message>
        <source>Invoice NO</source>
        <translation>رقم الفاتورة</translation>
    </message>
    <message>
        <source>Total SR</source>
        <translation>الإجمالي (ر.س)</translation>
    </message>
    <message>
        <source>Payments</source>
        <translation>المدفوع</translation>
    </message>
    <message>
        <source>Net Due</source>
        <translation>المبلغ المتبقي</translation>
    </message>
    <message>
        <source>Payment kind</source>
        <translation>طريقة الدفع</translation>
    </message>
    <message>
        <source>Cas&amp;h</source>
        <translation>نقداً</translation>
    </message>
    <message>
        <source>C&amp;redit</source>
        <translation>آجل</translation>
    </message>
    <message>
        <source>&amp;Partial</source>
        <translation>جزئي</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>موافق</translation>
    </message>
    <message>
        <source>Pri&amp;nt</source>
        <translation>طباعة</translation>
    </message>
    <message>
        <source>&amp;CANCEL</source>
        <translation>إلغاء</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>خروج</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>حفظ</translation>
    </message>
    <message>
        <source>Please enter the date</source>
        <translation>الرجاء إدخال التاريخ</translation>
    </message>
    <message>
        <source>not found</source>
        <translation>غير موجود</translation>
    </message>
    <message>
        <source>You have NOT entered anything!</source>
        <translation>لم تُدخل أي بند!</translation>
    </message>
    <message>
        <source>The connection to the database server was lost and has been made again, but the lines of this invoice entered before were lost with it: the invoice now holds only the lines shown. Please enter the others again.</source>
        <translation>انقطع الاتصال بخادم قاعدة البيانات ثم أُعيد، لكن بنود هذه الفاتورة المُدخلة من قبل ضاعت معه: لم تعد الفاتورة تحوي إلا البنود المعروضة. يُرجى إدخال البقية مرة أخرى.</translation>
    </message>
    <message>
        <source>Paid in :</source>
        <translation>طريقة الدفع :</translation>
    </message>
</context>
<context>
    <name>InvoiceWriter</name>
    <message>
        <source>%1 %2 is too large: the total, payments and net due of an invoice can have at most %3 characters each. The invoice was not saved.</source>
        <translation>%1 %2 كبير جداً: الإجمالي والمدفوع والمبلغ المتبقي في الفاتورة لا يتجاوز كل منها %3 خانات. لم تُحفظ الفاتورة.</translation>
    </message>
</context>
<context>
    <name>JetImport</name>
    <message>
        <source>These values of the earlier program&apos;s database cannot be copied as they stand:<byte value="xd"/>
%1<byte value="xd"/>
<byte value="xd"/>
Copy them adjusted (a text cut at a whole character, an empty text stored as null)? Every adjustment is written to the import report korvel_import_report.csv beside the new database. No stops the copy.</source>
        <translation>لا يمكن نسخ هذه القيم من قاعدة بيانات البرنامج السابق كما هي:<byte value="xd"/>
%1<byte value="xd"/>
<byte value="xd"/>
هل تريد نسخها معدّلة (يُقص النص عند حرف كامل، ويُحفظ النص الفارغ بلا قيمة)؟ يُكتب كل تعديل في تقرير الاستيراد korvel_import_report.csv بجانب قاعدة البيانات الجديدة. اختيار «لا» يوقف النسخ.</translation>
    </message>
    <message>
        <source>Copy the earlier program&apos;s database</source>
        <translation>نسخ قاعدة بيانات البرنامج السابق</translation>
    </message>
    <message>
        <source>Copying patients, procedures and invoices</source>
        <translation>جارٍ نسخ المرضى والخدمات والفواتير</translation>
    </message>
    <message>
        <source>The earlier program&apos;s database was copied into a new Korvel database:<byte value="xd"/>
%1<byte value="xd"/>
The earlier file is kept unchanged as %2.</source>
        <translation>نُسخت قاعدة بيانات البرنامج السابق إلى قاعدة بيانات Korvel جديدة:<byte value="xd"/>
%1<byte value="xd"/>
بقي الملف السابق دون تغيير باسم ‎%2‎.</translation>
    </message>
    <message>
        <source>The copy was stopped: nothing was copied, nothing changed.</source>
        <translation>أُوقف النسخ: لم يُنسخ شيء ولم يتغير شيء.</translation>
    </message>
    <message>
        <source>The copy of the earlier program&apos;s database failed; nothing changed:<byte value="xd"/>
</source>
        <translation>فشل نسخ قاعدة بيانات البرنامج السابق، ولم يتغير شيء:<byte value="xd"/>
</translation>
    </message>
    <message>
        <source>%1 is the earlier program&apos;s database.<byte value="xd"/>
Korvel can copy its patients, procedures and invoices into a new Korvel database, korvel_data.mdb in the same folder, and leaves the earlier file unchanged under the name %2.<byte value="xd"/>
Copy it now?</source>
        <translation>‏‪%1‬ هي قاعدة بيانات البرنامج السابق.<byte value="xd"/>
يستطيع Korvel نسخ مرضاها وخدماتها وفواتيرها إلى قاعدة بيانات Korvel جديدة باسم korvel_data.mdb في المجلد نفسه، ويبقي الملف السابق دون تغيير باسم %2.<byte value="xd"/>
هل تريد نسخها الآن؟</translation>
    </message>
    <message>
        <source>The earlier program&apos;s database cannot be renamed to %1; nothing changed.</source>
        <translation>تتعذر إعادة تسمية قاعدة بيانات البرنامج السابق إلى ‎%1‎، ولم يتغير شيء.</translation>
    </message>
</context>
<context>
    <name>Language</name>
    <message>
        <source>Korvel shows the chosen language from its next start on.</source>
        <translation>يظهر Korvel باللغة المختارة بدءاً من التشغيل القادم.</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>اللغة</translation>
    </message>
</context>
<context>
    <name>LazyReport</name>
    <message>
        <source>Laying out page %1</source>
        <translation>جارٍ تنسيق الصفحة %1</translation>
    </message>
</context>
<context>
    <name>LetterheadMenu</name>
    <message>
        <source>Are you sure you want to set this qualification to blanks?</source>
        <translation>هل أنت متأكد من ترك هذا المؤهل فارغاً؟</translation>
    </message>
    <message>
        <source>Clinic Name</source>
        <translation>اسم العيادة</translation>
    </message>
    <message>
        <source>Enter Clinic Name</source>
        <translation>أدخل اسم العيادة</translation>
    </message>
    <message>
        <source>Are you sure you want to set Clinic Name to blanks?</source>
        <translation>هل أنت متأكد من ترك اسم العيادة فارغاً؟</translation>
    </message>
    <message>
        <source>Doctor Name</source>
        <translation>اسم الطبيب</translation>
    </message>
    <message>
        <source>Enter Doctor Name</source>
        <translation>أدخل اسم الطبيب</translation>
    </message>
    <message>
        <source>Are you sure you want to set Doctor Name to blanks?</source>
        <translation>هل أنت متأكد من ترك اسم الطبيب فارغاً؟</translation>
    </message>
    <message>
        <source>Qualifications1</source>
        <translation>المؤهل 1</translation>
    </message>
    <message>
        <source>Enter Qualification 1</source>
        <translation>أدخل المؤهل 1</translation>
    </message>
    <message>
        <source>Qualifications2</source>
        <translation>المؤهل 2</translation>
    </message>
    <message>
        <source>Enter Qualification 2</source>
        <translation>أدخل المؤهل 2</translation>
    </message>
    <message>
        <source>Qualifications3</source>
        <translation>المؤهل 3</translation>
    </message>
    <message>
        <source>Enter Qualification 3</source>
        <translation>أدخل المؤهل 3</translation>
    </message>
    <message>
        <source>License No</source>
        <translation>رقم الترخيص</translation>
    </message>
    <message>
        <source>Enter the Clinic&apos;s License No</source>
        <translation>أدخل رقم ترخيص العيادة</translation>
    </message>
    <message>
        <source>Are you sure you want to set License No to blanks?</source>
        <translation>هل أنت متأكد من ترك رقم الترخيص فارغاً؟</translation>
    </message>
    <message>
        <source>Telephone</source>
        <translation>الهاتف</translation>
    </message>
    <message>
        <source>Enter the Telephone No</source>
        <translation>أدخل رقم الهاتف</translation>
    </message>
    <message>
        <source>Are you sure you want to set the Telephone No to blanks?</source>
        <translation>هل أنت متأكد من ترك رقم الهاتف فارغاً؟</translation>
    </message>
</context>
<context>
    <name>LetterheadPanel</name>
    <message>
        <source>Letterhead</source>
        <translation>ترويسة العيادة</translation>
    </message>
    <message>
        <source>Clinic name</source>
        <translation>اسم العيادة</translation>
    </message>
    <message>
        <source>Doctor name</source>
        <translation>اسم الطبيب</translation>
    </message>
    <message>
        <source>Qualification 1</source>
        <translation>المؤهل 1</translation>
    </message>
    <message>
        <source>Qualification 2</source>
        <translation>المؤهل 2</translation>
    </message>
    <message>
        <source>Qualification 3</source>
        <translation>المؤهل 3</translation>
    </message>
</context>
<context>
    <name>LogoMenu</name>
    <message>
        <source>Pictures (*.jpg;*.jpeg;*.gif;*.bmp;*.png)|*.jpg;*.jpeg;*.gif;*.bmp;*.png</source>
        <translation>الصور (*.jpg;*.jpeg;*.gif;*.bmp;*.png)|*.jpg;*.jpeg;*.gif;*.bmp;*.png</translation>
    </message>
    <message>
        <source>Logo Change Cancelled</source>
        <translation>أُلغي تغيير الشعار</translation>
    </message>
    <message>
        <source>Are you sure you want to change the logo?</source>
        <translation>هل أنت متأكد من تغيير الشعار؟</translation>
    </message>
</context>
<context>
    <name>MainMenuBar</name>
    <message>
        <source>Qualifications</source>
        <translation>المؤهلات</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>الإعدادات</translation>
    </message>
    <message>
        <source>Logo</source>
        <translation>الشعار</translation>
    </message>
    <message>
        <source>Database</source>
        <translation>قاعدة البيانات</translation>
    </message>
    <message>
        <source>Copy Database</source>
        <translation>نسخ قاعدة البيانات</translation>
    </message>
    <message>
        <source>Back up now</source>
        <translation>نسخ احتياطي الآن</translation>
    </message>
    <message>
        <source>Restore...</source>
        <translation>استعادة...</translation>
    </message>
    <message>
        <source>Backups Folder...</source>
        <translation>مجلد النسخ الاحتياطية...</translation>
    </message>
    <message>
        <source>Reports Location</source>
        <translation>موقع التقارير</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>مساعدة</translation>
    </message>
    <message>
        <source>About</source>
        <translation>حول البرنامج</translation>
    </message>
    <message>
        <source>Menu bar</source>
        <translation>شريط القوائم</translation>
    </message>
    <message>
        <source>Compact Database</source>
        <translation>ضغط قاعدة البيانات</translation>
    </message>
    <message>
        <source>Database Server...</source>
        <translation>خادم قاعدة البيانات...</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Main</source>
        <translation>الرئيسية</translation>
    </message>
    <message>
        <source>Working screens</source>
        <translation>شاشات العمل</translation>
    </message>
    <message>
        <source>Patients File</source>
        <translation>ملف المريض</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>بحث</translation>
    </message>
    <message>
        <source>Reports</source>
        <translation>التقارير</translation>
    </message>
    <message>
        <source>Description Entry</source>
        <translation>إدخال الخدمات</translation>
    </message>
    <message>
        <source>Invoices</source>
        <translation>الفواتير</translation>
    </message>
    <message>
        <source>Invoices Replacment</source>
        <translation>تعديل الفواتير</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>خروج</translation>
    </message>
    <message>
        <source>Logo</source>
        <translation>الشعار</translation>
    </message>
    <message>
        <source>Clinic logo</source>
        <translation>شعار العيادة</translation>
    </message>
</context>
<context>
    <name>MaskedEdit</name>
    <message>
        <source>Invalid property value</source>
        <translation>قيمة غير صالحة</translation>
    </message>
</context>
<context>
    <name>MenuErrorTrap</name>
    <message>
        <source>Cancel was selected.</source>
        <translation>تم اختيار الإلغاء.</translation>
    </message>
</context>
<context>
    <name>MoneyReports</name>
    <message>
        <source>Day %1</source>
        <translation>يوم %1</translation>
    </message>
    <message>
        <source>Month %1</source>
        <translation>شهر %1</translation>
    </message>
    <message>
        <source>Year %1</source>
        <translation>سنة %1</translation>
    </message>
    <message>
        <source>Printed %1</source>
        <translation>طُبع في %1</translation>
    </message>
</context>
<context>
    <name>NavigationBar</name>
    <message>
        <source>First record</source>
        <translation>السجل الأول</translation>
    </message>
    <message>
        <source>Previous record</source>
        <translation>السجل السابق</translation>
    </message>
    <message>
        <source>Next record</source>
        <translation>السجل التالي</translation>
    </message>
    <message>
        <source>Last record</source>
        <translation>السجل الأخير</translation>
    </message>
</context>
<context>
    <name>OpenFileDialog</name>
    <message>
        <source>Open File</source>
        <translation>فتح ملف</translation>
    </message>
    <message>
        <source>File Number</source>
        <translation>رقم الملف</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>الاسم</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>العنوان</translation>
    </message>
    <message>
        <source>Patient name</source>
        <translation>اسم المريض</translation>
    </message>
    <message>
        <source>Patient address</source>
        <translation>عنوان المريض</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>موافق</translation>
    </message>
    <message>
        <source>CANCEL</source>
        <translation>إلغاء</translation>
    </message>
    <message>
        <source>File Number :</source>
        <translation>رقم الملف :</translation>
    </message>
    <message>
        <source>Name :</source>
        <translation>الاسم :</translation>
    </message>
    <message>
        <source>Address :</source>
        <translation>العنوان :</translation>
    </message>
    <message>
        <source>not found</source>
        <translation>غير موجود</translation>
    </message>
</context>
<context>
    <name>PageStore</name>
    <message>
        <source>The report&apos;s pages could not be kept in a temporary file: </source>
        <translation>تعذر حفظ صفحات التقرير في ملف مؤقت: </translation>
    </message>
</context>
<context>
    <name>PatientFileForm</name>
    <message>
        <source>Buttons</source>
        <translation>الأزرار</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>حفظ</translation>
    </message>
    <message>
        <source>New</source>
        <translation>جديد</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>فتح</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>خروج</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>إلغاء</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>حذف</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>طباعة</translation>
    </message>
    <message>
        <source>Patient</source>
        <translation>المريض</translation>
    </message>
    <message>
        <source>First Relative</source>
        <translation>أقرب الأقارب</translation>
    </message>
    <message>
        <source>Invoices</source>
        <translation>الفواتير</translation>
    </message>
    <message>
        <source>Patient No</source>
        <translation>رقم المريض</translation>
    </message>
    <message>
        <source>Invoice No</source>
        <translation>رقم الفاتورة</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>التاريخ</translation>
    </message>
    <message>
        <source>Amount</source>
        <translation>المبلغ</translation>
    </message>
    <message>
        <source>Due</source>
        <translation>المتبقي</translation>
    </message>
    <message>
        <source>&amp;Reports</source>
        <translation>التقارير</translation>
    </message>
    <message>
        <source>&amp;Nationality Count</source>
        <translation>عدد المرضى حسب الجنسية</translation>
    </message>
    <message>
        <source>&amp;Statement</source>
        <translation>كشف حساب</translation>
    </message>
    <message>
        <source>The patient&apos;s invoices and payments with the balance due</source>
        <translation>فواتير المريض ودفعاته مع الرصيد المستحق</translation>
    </message>
    <message>
        <source>Patient file</source>
        <translation>ملف المريض</translation>
    </message>
    <message>
        <source>Personal Information</source>
        <translation>المعلومات الشخصية</translation>
    </message>
</context>
<context>
    <name>PatientFileScreen</name>
    <message>
        <source>File Number :</source>
        <translation>رقم الملف :</translation>
    </message>
    <message>
        <source>Open File</source>
        <translation>فتح ملف</translation>
    </message>
    <message>
        <source>The invoice was not changed: no kind was chosen for its payment.</source>
        <translation>لم تُعدّل الفاتورة: لم تُختر طريقة الدفع.</translation>
    </message>
    <message>
        <source>Pt. File</source>
        <translation>ملف المريض</translation>
    </message>
    <message>
        <source>not found</source>
        <translation>غير موجود</translation>
    </message>
    <message>
        <source>Please enter the date</source>
        <translation>الرجاء إدخال التاريخ</translation>
    </message>
    <message>
        <source>is found</source>
        <translation>الملف موجود مسبقاً</translation>
    </message>
</context>
<context>
    <name>PatientPanels</name>
    <message>
        <source>Date</source>
        <translation>التاريخ</translation>
    </message>
    <message>
        <source>Temporary</source>
        <translation>مؤقت</translation>
    </message>
    <message>
        <source>File Number</source>
        <translation>رقم الملف</translation>
    </message>
    <message>
        <source>Pt. Name given</source>
        <translation>الاسم الأول</translation>
    </message>
    <message>
        <source>Pt. Name second</source>
        <translation>اسم الأب</translation>
    </message>
    <message>
        <source>Pt. Name third</source>
        <translation>اسم الجد</translation>
    </message>
    <message>
        <source>Pt. Name family</source>
        <translation>اسم العائلة</translation>
    </message>
    <message>
        <source>Age</source>
        <translation>العمر</translation>
    </message>
    <message>
        <source>Nationality</source>
        <translation>الجنسية</translation>
    </message>
    <message>
        <source>SAUDI</source>
        <translation>سعودي</translation>
    </message>
    <message>
        <source>NON SAUDI</source>
        <translation>غير سعودي</translation>
    </message>
    <message>
        <source>Social</source>
        <translation>الحالة الاجتماعية</translation>
    </message>
    <message>
        <source>SINGL</source>
        <translation>أعزب</translation>
    </message>
    <message>
        <source>MARIED</source>
        <translation>متزوج</translation>
    </message>
    <message>
        <source>DIVORCE</source>
        <translation>مطلق</translation>
    </message>
    <message>
        <source>WIDOW</source>
        <translation>أرمل</translation>
    </message>
    <message>
        <source>ENGAGED</source>
        <translation>خاطب</translation>
    </message>
    <message>
        <source>I.D Card No</source>
        <translation>رقم الهوية</translation>
    </message>
    <message>
        <source>Occupation</source>
        <translation>المهنة</translation>
    </message>
    <message>
        <source>Home Tel</source>
        <translation>هاتف المنزل</translation>
    </message>
    <message>
        <source>Home Tel extension</source>
        <translation>تحويلة هاتف المنزل</translation>
    </message>
    <message>
        <source>Work Tel</source>
        <translation>هاتف العمل</translation>
    </message>
    <message>
        <source>Work Tel extension</source>
        <translation>تحويلة هاتف العمل</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>العنوان</translation>
    </message>
    <message>
        <source>Mob.No</source>
        <translation>الجوال</translation>
    </message>
    <message>
        <source>File Number :</source>
        <translation>رقم الملف :</translation>
    </message>
    <message>
        <source>Pt. Name :</source>
        <translation>اسم المريض :</translation>
    </message>
    <message>
        <source>Age :</source>
        <translation>العمر :</translation>
    </message>
    <message>
        <source>Nationality :</source>
        <translation>الجنسية :</translation>
    </message>
    <message>
        <source>Social :</source>
        <translation>الحالة الاجتماعية :</translation>
    </message>
    <message>
        <source>I.D Card No :</source>
        <translation>رقم الهوية :</translation>
    </message>
    <message>
        <source>Occupation :</source>
        <translation>المهنة :</translation>
    </message>
    <message>
        <source>Date :</source>
        <translation>التاريخ :</translation>
    </message>
    <message>
        <source>Home Tel :</source>
        <translation>هاتف المنزل :</translation>
    </message>
    <message>
        <source>Work Tel :</source>
        <translation>هاتف العمل :</translation>
    </message>
    <message>
        <source>Address :</source>
        <translation>العنوان :</translation>
    </message>
    <message>
        <source>Mob.No :</source>
        <translation>الجوال :</translation>
    </message>
    <message>
        <source>First Relative</source>
        <translation>أقرب الأقارب</translation>
    </message>
    <message>
        <source>Relative Age</source>
        <translation>عمر القريب</translation>
    </message>
    <message>
        <source>Relative Occupation</source>
        <translation>مهنة القريب</translation>
    </message>
    <message>
        <source>Relative Address</source>
        <translation>عنوان القريب</translation>
    </message>
    <message>
        <source>Relative Home Tel</source>
        <translation>هاتف منزل القريب</translation>
    </message>
    <message>
        <source>Relative Home Tel extension</source>
        <translation>تحويلة هاتف منزل القريب</translation>
    </message>
    <message>
        <source>Relative Work Tel</source>
        <translation>هاتف عمل القريب</translation>
    </message>
    <message>
        <source>Relative Work Tel extension</source>
        <translation>تحويلة هاتف عمل القريب</translation>
    </message>
    <message>
        <source>Commen</source>
        <translation>ملاحظات</translation>
    </message>
    <message>
        <source>First Relative :</source>
        <translation>أقرب الأقارب :</translation>
    </message>
    <message>
        <source>Commen :</source>
        <translation>ملاحظات :</translation>
    </message>
    <message>
        <source>Pt. Name</source>
        <translation>اسم المريض</translation>
    </message>
</context>
<context>
    <name>PatientSearchScreen</name>
    <message>
        <source>Family Name</source>
        <translation>اسم العائلة</translation>
    </message>
    <message>
        <source>Given Name</source>
        <translation>الاسم الأول</translation>
    </message>
    <message>
        <source>Tel. No</source>
        <translation>رقم الهاتف</translation>
    </message>
    <message>
        <source>Mob. No.</source>
        <translation>رقم الجوال</translation>
    </message>
    <message>
        <source>Reasersh</source>
        <translation>البحث عن مريض</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>بحث</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>خروج</translation>
    </message>
    <message>
        <source>Search by Name/Family</source>
        <translation>البحث بالاسم أو العائلة</translation>
    </message>
    <message>
        <source>Search text</source>
        <translation>نص البحث</translation>
    </message>
    <message>
        <source>Search Family Name:</source>
        <translation>البحث باسم العائلة:</translation>
    </message>
    <message>
        <source>Patient files found</source>
        <translation>ملفات المرضى التي وُجدت</translation>
    </message>
    <message>
        <source>File No.</source>
        <translation>رقم الملف</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>الاسم</translation>
    </message>
    <message>
        <source>Search %1: </source>
        <translation>البحث بـ%1: </translation>
    </message>
</context>
<context>
    <name>PaymentChanges</name>
    <message>
        <source>Payment received today: %1
Paid in :</source>
        <translation>دفعة مستلمة اليوم: %1
طريقة الدفع :</translation>
    </message>
    <message>
        <source>Payment</source>
        <translation>دفعة</translation>
    </message>
    <message>
        <source>Amount paid lowered: %1 paid back today
Paid back in :</source>
        <translation>نقص المبلغ المدفوع: يُردّ %1 اليوم
طريقة الرد :</translation>
    </message>
    <message>
        <source>The net due would be %1: %2 more is paid than the amount of %3.
Save it so?</source>
        <translation>سيصبح المتبقي %1: المدفوع يزيد بمقدار %2 على مبلغ الفاتورة %3.
هل تريد الحفظ هكذا؟</translation>
    </message>
</context>
<context>
    <name>PaymentKind</name>
    <message>
        <source>Cash</source>
        <translation>نقداً</translation>
    </message>
    <message>
        <source>Credit</source>
        <translation>آجل</translation>
    </message>
    <message>
        <source>Partial</source>
        <translation>جزئي</translation>
    </message>
    <message>
        <source>Card</source>
        <translation>بطاقة</translation>
    </message>
    <message>
        <source>Bank transfer</source>
        <translation>تحويل بنكي</translation>
    </message>
    <message>
        <source>Cheque</source>
        <translation>شيك</translation>
    </message>
</context>
<context>
    <name>PeriodicReportsDialog</name>
    <message>
        <source>DAY</source>
        <translation>يومي</translation>
    </message>
    <message>
        <source>Day</source>
        <translation>اليوم</translation>
    </message>
    <message>
        <source>MONTH</source>
        <translation>شهري</translation>
    </message>
    <message>
        <source>Month</source>
        <translation>الشهر</translation>
    </message>
    <message>
        <source>YEAR</source>
        <translation>سنوي</translation>
    </message>
    <message>
        <source>Year</source>
        <translation>السنة</translation>
    </message>
    <message>
        <source>Reports</source>
        <translation>التقارير</translation>
    </message>
    <message>
        <source>TO SCREEN</source>
        <translation>على الشاشة</translation>
    </message>
    <message>
        <source>TO PRINTER</source>
        <translation>إلى الطابعة</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>موافق</translation>
    </message>
    <message>
        <source>CASH BOOK</source>
        <translation>دفتر الصندوق</translation>
    </message>
    <message>
        <source>Every payment taken in the period, with totals per kind</source>
        <translation>كل دفعة مستلمة في الفترة، مع المجاميع حسب طريقة الدفع</translation>
    </message>
    <message>
        <source>CANCEL</source>
        <translation>إلغاء</translation>
    </message>
    <message>
        <source>QUIT</source>
        <translation>خروج</translation>
    </message>
    <message>
        <source>Destination</source>
        <translation>الوجهة</translation>
    </message>
</context>
<context>
    <name>PictureBox</name>
    <message>
        <source>File not found</source>
        <translation>الملف غير موجود</translation>
    </message>
    <message>
        <source>Invalid picture</source>
        <translation>صورة غير صالحة</translation>
    </message>
</context>
<context>
    <name>ReportLayouts</name>
    <message>
        <source>Daily Report</source>
        <translation>التقرير اليومي</translation>
    </message>
    <message>
        <source>Monthly Report</source>
        <translation>التقرير الشهري</translation>
    </message>
    <message>
        <source>Annual Report</source>
        <translation>التقرير السنوي</translation>
    </message>
    <message>
        <source>File Number</source>
        <translation>رقم الملف</translation>
    </message>
    <message>
        <source>Invoice No</source>
        <translation>رقم الفاتورة</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>التاريخ</translation>
    </message>
    <message>
        <source>Amount</source>
        <translation>المبلغ</translation>
    </message>
    <message>
        <source>Due</source>
        <translation>المتبقي</translation>
    </message>
    <message>
        <source>Total :</source>
        <translation>الإجمالي :</translation>
    </message>
    <message>
        <source>Cash Book</source>
        <translation>دفتر الصندوق</translation>
    </message>
    <message>
        <source>File No</source>
        <translation>رقم الملف</translation>
    </message>
    <message>
        <source>Patient Name</source>
        <translation>اسم المريض</translation>
    </message>
    <message>
        <source>Kind</source>
        <translation>طريقة الدفع</translation>
    </message>
    <message>
        <source>Cash :</source>
        <translation>نقداً :</translation>
    </message>
    <message>
        <source>Carried over :</source>
        <translation>مُرحّل :</translation>
    </message>
    <message>
        <source>Patient Statement</source>
        <translation>كشف حساب مريض</translation>
    </message>
    <message>
        <source>File Number :</source>
        <translation>رقم الملف :</translation>
    </message>
    <message>
        <source>Date :</source>
        <translation>التاريخ :</translation>
    </message>
    <message>
        <source>Patient Name :</source>
        <translation>اسم المريض :</translation>
    </message>
    <message>
        <source>Entry</source>
        <translation>البيان</translation>
    </message>
    <message>
        <source>Lines Total</source>
        <translation>مجموع البنود</translation>
    </message>
    <message>
        <source>Charged</source>
        <translation>المطلوب</translation>
    </message>
    <message>
        <source>Paid</source>
        <translation>المدفوع</translation>
    </message>
    <message>
        <source>Balance</source>
        <translation>الرصيد</translation>
    </message>
    <message>
        <source>Total charged :</source>
        <translation>إجمالي المطلوب :</translation>
    </message>
    <message>
        <source>Total paid :</source>
        <translation>إجمالي المدفوع :</translation>
    </message>
    <message>
        <source>Balance due :</source>
        <translation>الرصيد المستحق :</translation>
    </message>
    <message>
        <source>Count of Patients (Temporary/Non-Temporary)</source>
        <translation>عدد المرضى (مؤقت/غير مؤقت)</translation>
    </message>
    <message>
        <source>Nationality</source>
        <translation>الجنسية</translation>
    </message>
    <message>
        <source>Count</source>
        <translation>العدد</translation>
    </message>
    <message>
        <source>Temproary Patients</source>
        <translation>المرضى المؤقتون</translation>
    </message>
    <message>
        <source>Total</source>
        <translation>الإجمالي</translation>
    </message>
    <message>
        <source>Patient&apos;s Personal Information</source>
        <translation>المعلومات الشخصية للمريض</translation>
    </message>
    <message>
        <source>Personal Information</source>
        <translation>المعلومات الشخصية</translation>
    </message>
    <message>
        <source>File Number : </source>
        <translation>رقم الملف : </translation>
    </message>
    <message>
        <source>Patient Name : </source>
        <translation>اسم المريض : </translation>
    </message>
    <message>
        <source>Age :</source>
        <translation>العمر :</translation>
    </message>
    <message>
        <source>ID Card No. : </source>
        <translation>رقم الهوية : </translation>
    </message>
    <message>
        <source>Home Tel. :</source>
        <translation>هاتف المنزل :</translation>
    </message>
    <message>
        <source>Mobile :</source>
        <translation>الجوال :</translation>
    </message>
    <message>
        <source>Nationality : </source>
        <translation>الجنسية : </translation>
    </message>
    <message>
        <source>Work Tel. :</source>
        <translation>هاتف العمل :</translation>
    </message>
    <message>
        <source>Occupation : </source>
        <translation>المهنة : </translation>
    </message>
    <message>
        <source>Address : </source>
        <translation>العنوان : </translation>
    </message>
    <message>
        <source>Relative Name : </source>
        <translation>اسم القريب : </translation>
    </message>
    <message>
        <source>Age : </source>
        <translation>العمر : </translation>
    </message>
    <message>
        <source>Home Tel. : </source>
        <translation>هاتف المنزل : </translation>
    </message>
    <message>
        <source>Work Tel. : </source>
        <translation>هاتف العمل : </translation>
    </message>
    <message>
        <source>Signature : </source>
        <translation>التوقيع : </translation>
    </message>
    <message>
        <source>Card :</source>
        <translation>بطاقة :</translation>
    </message>
    <message>
        <source>Bank transfer :</source>
        <translation>تحويل بنكي :</translation>
    </message>
    <message>
        <source>Cheque :</source>
        <translation>شيك :</translation>
    </message>
    <message>
        <source>Other kinds :</source>
        <translation>طرق أخرى :</translation>
    </message>
    <message>
        <source>Invoice</source>
        <translation>فاتورة</translation>
    </message>
    <message>
        <source>Page %1 of %2</source>
        <translation>الصفحة %1 من %2</translation>
    </message>
</context>
<context>
    <name>ReportOutput</name>
    <message>
        <source>No printer is set up. Install a printer and make it the default printer, then print again.</source>
        <translation>لا توجد طابعة معدّة. ثبّت طابعة واجعلها الطابعة الافتراضية، ثم اطبع مرة أخرى.</translation>
    </message>
    <message>
        <source>The report could not be sent to the printer %1.</source>
        <translation>تعذر إرسال التقرير إلى الطابعة %1.</translation>
    </message>
    <message>
        <source>Printing page %1 of %2</source>
        <translation>جارٍ طباعة الصفحة %1 من %2</translation>
    </message>
    <message>
        <source>Writing page %1 of %2</source>
        <translation>جارٍ كتابة الصفحة %1 من %2</translation>
    </message>
    <message>
        <source>No printer is set up. Save the pages as a PDF file instead?</source>
        <translation>لا توجد طابعة معدّة. هل تريد حفظ الصفحات في ملف PDF بدلاً من ذلك؟</translation>
    </message>
    <message>
        <source>PDF Files (*.pdf)|*.pdf</source>
        <translation>ملفات PDF ‏(*.pdf)|*.pdf</translation>
    </message>
</context>
<context>
    <name>ReportPreview</name>
    <message>
        <source>Pages</source>
        <translation>الصفحات</translation>
    </message>
    <message>
        <source>Page number</source>
        <translation>رقم الصفحة</translation>
    </message>
    <message>
        <source>&amp;Print</source>
        <translation>طباعة</translation>
    </message>
    <message>
        <source>&amp;Export PDF...</source>
        <translation>تصدير PDF...</translation>
    </message>
    <message>
        <source>Export &amp;CSV...</source>
        <translation>تصدير CSV...</translation>
    </message>
    <message>
        <source>First</source>
        <translation>الأولى</translation>
    </message>
    <message>
        <source>Previous</source>
        <translation>السابقة</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>التالية</translation>
    </message>
    <message>
        <source>Last</source>
        <translation>الأخيرة</translation>
    </message>
    <message>
        <source>Zoom In</source>
        <translation>تكبير</translation>
    </message>
    <message>
        <source>Zoom Out</source>
        <translation>تصغير</translation>
    </message>
    <message>
        <source>Fit Width</source>
        <translation>ملاءمة العرض</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>إغلاق</translation>
    </message>
    <message>
        <source>%1 so far</source>
        <translation>%1 حتى الآن</translation>
    </message>
    <message>
        <source>Page %1 of %2</source>
        <translation>الصفحة %1 من %2</translation>
    </message>
    <message>
        <source>PDF Files (*.pdf)|*.pdf</source>
        <translation>ملفات PDF ‏(*.pdf)|*.pdf</translation>
    </message>
    <message>
        <source>CSV Files (*.csv)|*.csv</source>
        <translation>ملفات CSV ‏(*.csv)|*.csv</translation>
    </message>
</context>
<context>
    <name>ReportsLocationMenu</name>
    <message>
        <source>Are you sure you want to change the Reports Directory</source>
        <translation>هل أنت متأكد من تغيير مجلد التقارير؟</translation>
    </message>
    <message>
        <source>Select Reports Folder</source>
        <translation>اختر مجلد التقارير</translation>
    </message>
    <message>
        <source>The reports must be copied to this Direcotry first!</source>
        <translation>يجب نسخ التقارير إلى هذا المجلد أولاً!</translation>
    </message>
</context>
<context>
    <name>RestoreBackup</name>
    <message>
        <source>Nothing was changed.</source>
        <translation>لم يتغير شيء.</translation>
    </message>
</context>
<context>
    <name>ServerChoice</name>
    <message>
        <source>Database Server</source>
        <translation>خادم قاعدة البيانات</translation>
    </message>
    <message>
        <source>Address of the database server, for example postgresql://clinic@dbhost:5432/korvel<byte value="xd"/>
(%1):</source>
        <translation>عنوان خادم قاعدة البيانات، مثل postgresql://clinic@dbhost:5432/korvel<byte value="xd"/>
(%1):</translation>
    </message>
    <message>
        <source>The database %1 holds no Korvel tables yet.<byte value="xd"/>
Do you want to create them there?</source>
        <translation>قاعدة البيانات %1 لا تحتوي جداول Korvel بعد.<byte value="xd"/>
هل تريد إنشاءها فيها؟</translation>
    </message>
    <message>
        <source>The Korvel tables were created in the database %1.</source>
        <translation>أُنشئت جداول Korvel في قاعدة البيانات %1.</translation>
    </message>
    <message>
        <source>Korvel cannot reach its database on the server:<byte value="xd"/>
%1<byte value="xd"/>
Do you want to try again?</source>
        <translation>تعذر على Korvel الوصول إلى قاعدة بياناته على الخادم:<byte value="xd"/>
%1<byte value="xd"/>
هل تريد المحاولة مرة أخرى؟</translation>
    </message>
    <message>
        <source>leave it empty to work on a database file instead</source>
        <translation>اتركه فارغاً للعمل على ملف قاعدة بيانات بدلاً من الخادم</translation>
    </message>
    <message>
        <source>leave it empty to keep the database</source>
        <translation>اتركه فارغاً لإبقاء قاعدة البيانات الحالية</translation>
    </message>
    <message>
        <source>Korvel cannot reach the database on the server:<byte value="xd"/>
</source>
        <translation>تعذر على Korvel الوصول إلى قاعدة البيانات على الخادم:<byte value="xd"/>
</translation>
    </message>
</context>
<context>
    <name>Settings</name>
    <message>
        <source>The setting could not be stored in %1: the disk may be full, or the file cannot be written. The setting stays as it was.</source>
        <translation>تعذّر حفظ الإعداد في %1: قد يكون القرص ممتلئاً، أو لا يمكن الكتابة في الملف. يبقى الإعداد كما كان.</translation>
    </message>
</context>
<context>
    <name>StartUp</name>
    <message>
        <source>Do you want to create a NEW Database!?</source>
        <translation>هل تريد إنشاء قاعدة بيانات جديدة؟</translation>
    </message>
    <message>
        <source>Datebase was created successfully</source>
        <translation>تم إنشاء قاعدة البيانات بنجاح</translation>
    </message>
    <message>
        <source>Database creation failed!</source>
        <translation>فشل إنشاء قاعدة البيانات!</translation>
    </message>
    <message>
        <source>You cannot use this program without the VALID Database korvel_data.mdb!<byte value="xd"/>
korvel_data.mdb</source>
        <translation>لا يمكن استخدام هذا البرنامج دون قاعدة بيانات صالحة korvel_data.mdb!<byte value="xd"/>
korvel_data.mdb</translation>
    </message>
    <message>
        <source>This does NOT appear to be a valid Database for this program</source>
        <translation>لا يبدو أن هذه قاعدة بيانات صالحة لهذا البرنامج</translation>
    </message>
    <message>
        <source><byte value="xd"/>
Do you want to try again?</source>
        <translation><byte value="xd"/>
هل تريد المحاولة مرة أخرى؟</translation>
    </message>
    <message>
        <source>You have to install ADO in order to run this program.  Download MDAC_TYP from Microsoft first.</source>
        <translation>يجب تثبيت محرك قاعدة البيانات لتشغيل هذا البرنامج. ثبّت برنامج تشغيل SQLite أولاً.</translation>
    </message>
    <message>
        <source>The settings name no database folder.</source>
        <translation>لا تذكر الإعدادات أي مجلد لقاعدة البيانات.</translation>
    </message>
    <message>
        <source>The database folder of the settings, %1, is not a full path.</source>
        <translation>مجلد قاعدة البيانات في الإعدادات، %1، ليس مساراً كاملاً.</translation>
    </message>
    <message>
        <source>The database folder of the settings, %1, does not exist.</source>
        <translation>مجلد قاعدة البيانات في الإعدادات، %1، غير موجود.</translation>
    </message>
    <message>
        <source>The database folder of the settings, %1, is not a folder.</source>
        <translation>مجلد قاعدة البيانات في الإعدادات، %1، ليس مجلداً.</translation>
    </message>
    <message>
        <source>%1 is a folder, not a database file.</source>
        <translation>%1 مجلد وليس ملف قاعدة بيانات.</translation>
    </message>
    <message>
        <source>%1 is not a file that can hold a database.</source>
        <translation>%1 ليس ملفاً يمكن أن يحتوي قاعدة بيانات.</translation>
    </message>
</context>
<context>
    <name>StoredWord</name>
    <message>
        <source>Cash</source>
        <translation>نقداً</translation>
    </message>
    <message>
        <source>Credit</source>
        <translation>آجل</translation>
    </message>
    <message>
        <source>Partial</source>
        <translation>جزئي</translation>
    </message>
    <message>
        <source>Carried over</source>
        <translation>مُرحَّل</translation>
    </message>
    <message>
        <source>Invoice</source>
        <translation>فاتورة</translation>
    </message>
    <message>
        <source>Unrecorded payment</source>
        <translation>دفعة غير مسجلة</translation>
    </message>
    <message>
        <source>Payment, Cash</source>
        <translation>دفعة، نقداً</translation>
    </message>
    <message>
        <source>Payment, Credit</source>
        <translation>دفعة، آجل</translation>
    </message>
    <message>
        <source>Payment, Partial</source>
        <translation>دفعة، جزئي</translation>
    </message>
    <message>
        <source>Payment, Carried over</source>
        <translation>دفعة، مُرحَّلة</translation>
    </message>
    <message>
        <source>Refund, Cash</source>
        <translation>استرداد، نقداً</translation>
    </message>
    <message>
        <source>Refund, Credit</source>
        <translation>استرداد، آجل</translation>
    </message>
    <message>
        <source>Refund, Partial</source>
        <translation>استرداد، جزئي</translation>
    </message>
    <message>
        <source>Refund, Carried over</source>
        <translation>استرداد، مُرحَّل</translation>
    </message>
    <message>
        <source>SAUDI</source>
        <translation>سعودي</translation>
    </message>
    <message>
        <source>NON SAUDI</source>
        <translation>غير سعودي</translation>
    </message>
    <message>
        <source>Payment</source>
        <translation>دفعة</translation>
    </message>
    <message>
        <source>Refund</source>
        <translation>استرداد</translation>
    </message>
    <message>
        <source>Invoice deleted</source>
        <translation>حُذفت الفاتورة</translation>
    </message>
    <message>
        <source>, </source>
        <translation>، </translation>
    </message>
    <message>
        <source>Card</source>
        <translation>بطاقة</translation>
    </message>
    <message>
        <source>Bank transfer</source>
        <translation>تحويل بنكي</translation>
    </message>
    <message>
        <source>Cheque</source>
        <translation>شيك</translation>
    </message>
</context>
<context>
    <name>ValueFormat</name>
    <message>
        <source>Yes</source>
        <translation>نعم</translation>
    </message>
    <message>
        <source>No</source>
        <translation>لا</translation>
    </message>
</context>
<context>
    <name>WebLinkLabel</name>
    <message>
        <source>Opens the web site in the browser</source>
        <translation>يفتح الموقع الإلكتروني في المتصفح</translation>
    </message>
</context>
</TS>
