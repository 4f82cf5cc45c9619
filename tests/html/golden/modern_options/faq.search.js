window.quorellaSearchText=[
"It writes FAQ pages. See www.tamsel.example , or mail ( help@tamsel.example ).",
"Хорошо. Пишите на mail@faq.example .",
"The same question again.",
"はい。",
"Its page is not the start page."];
