window.quorellaSearchText=[
"It writes FAQ pages. See www.tamsel.example , or mail ( help@tamsel.example ).",
"Type two spaces, a £ or € sign © and 1\u003c2. Files at ftp.tamsel.example/pub and http://tamsel.example/a?b=1&c=2 ). & a&b",
"\u003cpre> keeps TABS www.a.example http://b.example indented \u003c x@y.example > end"];
