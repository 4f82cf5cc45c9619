<HTML>
<HEAD>
<TITLE>Help & <i>Support</i> - 1. What is Quorella?</TITLE>

</HEAD>
<BODY BGCOLOR=#C0C0C0 TEXT=#000000 LINK=#0000FF VLINK=#800080 ALINK=#FF0000 topmargin=0 marginheight=0>

<P>
<TABLE width="90%" align="center">
<TR><TD BGCOLOR="#C0C0C0">
<FONT STYLE=' font-size: 12px; color: #000000;'>
<b>1. 
What is Quorella?</b>
</FONT>
</TD></TR>
</TABLE>
<TABLE width="85%" align="center">
<TR><TD>
<FONT STYLE=' font-size: 12px;'>
It writes FAQ pages.
<P>
See <A HREF="http://www.tamsel.example">www.tamsel.example</A>, or mail (<A HREF="mailto:help@tamsel.example">help@tamsel.example</A>).
</FONT>
</TD></TR>
</TABLE>
<BR>
<TABLE width="90%" align="center">
<TR><TD BGCOLOR="#D7D7D7" ALIGN="CENTER">
<FONT STYLE=' font-size: 12px;'>
<A HREF="index.htm">All questions</A> | 
<A HREF="page_2.php">On &gt;&gt;</A>
</FONT>
</TD></TR>
</TABLE>

<DIV ALIGN="right"><HR WIDTH="200">
<FONT STYLE="color: black; font-family: Arial, Helvetica, sans-serif; font-size: 12px; font-style: italic;">
FAQ created with <A HREF="http://www.tamsel.example/" onMouseOver="window.status='Quorella'; return true" STYLE="background-color: Maroon; color: Yellow; font-family: Arial, Helvetica, sans-serif; font-weight: bold; font-style: italic; text-align: right; text-decoration: none;" TITLE="Quorella HomePage">
Quorella</A></FONT></DIV>
</body>
</HTML>
