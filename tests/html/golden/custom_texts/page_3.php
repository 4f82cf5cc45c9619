<HTML>
<HEAD>
<TITLE>Help & <i>Support</i> - 3. Last one?</TITLE>

</HEAD>
<BODY BGCOLOR=#C0C0C0 TEXT=#000000 LINK=#0000FF VLINK=#800080 ALINK=#FF0000 topmargin=0 marginheight=0>

<P>
<TABLE width="90%" align="center">
<TR><TD BGCOLOR="#C0C0C0">
<FONT STYLE=' font-size: 12px; color: #000000;'>
<b>3. 
Last one?</b>
</FONT>
</TD></TR>
</TABLE>
<TABLE width="85%" align="center">
<TR><TD>
<FONT STYLE=' font-size: 12px;'>
<pre>
&lt;pre&gt; keeps	TABS <A HREF="http://www.a.example">www.a.example</A>	<A HREF="http://b.example">http://b.example</A>
  indented &lt;<A HREF="mailto:x@y.example">x@y.example</A>&gt;

end </pre>
</FONT>
</TD></TR>
</TABLE>
<BR>
<TABLE width="90%" align="center">
<TR><TD BGCOLOR="#D7D7D7" ALIGN="CENTER">
<FONT STYLE=' font-size: 12px;'>
<A HREF="page_2.php">&lt;&lt; Back</A> | 
<A HREF="index.htm">All questions</A> | 
</FONT>
</TD></TR>
</TABLE>

<DIV ALIGN="right"><HR WIDTH="200">
<FONT STYLE="color: black; font-family: Arial, Helvetica, sans-serif; font-size: 12px; font-style: italic;">
FAQ created with <A HREF="http://www.tamsel.example/" onMouseOver="window.status='Quorella'; return true" STYLE="background-color: Maroon; color: Yellow; font-family: Arial, Helvetica, sans-serif; font-weight: bold; font-style: italic; text-align: right; text-decoration: none;" TITLE="Quorella HomePage">
Quorella</A></FONT></DIV>
</body>
</HTML>
