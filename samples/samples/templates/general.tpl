<!DOCTYPE html>
<html lang="en">
<head>
<meta charset="utf-8">
<meta name="viewport" content="width=device-width, initial-scale=1">
<meta name="generator" content="Tarvelo CMS">
<title>[@TITLE] - [@SITE_NAME]</title>
<style>
body { margin: 0; font-family: Georgia, "Times New Roman", serif; color: #222; background: #f4f6f8; line-height: 1.5; }
header { background: #2b6cb0; color: #fff; padding: 0.75em 1.5em; display: flex; flex-wrap: wrap; align-items: center; gap: 0.5em 2em; }
header a { color: #fff; text-decoration: none; }
.logo { font-size: 1.3em; font-weight: bold; display: flex; align-items: center; gap: 0.5em; }
nav a { margin-right: 1.25em; }
nav a:hover { text-decoration: underline; }
main { max-width: 44em; margin: 0 auto; padding: 1em 1.5em; background: #fff; }
h1 { color: #2b6cb0; font-weight: normal; }
.intro { font-size: 1.15em; color: #555; }
dt { font-weight: bold; margin-top: 0.75em; }
dd { margin-left: 1.5em; }
.spacer { display: block; }
footer { max-width: 44em; margin: 0 auto; padding: 0.5em 1.5em; font-size: 0.85em; color: #666; }
</style>
</head>
<body>
<header>
  <a class="logo" href="[@ROOT_DIR]index.html"><img src="[@ROOT_DIR]images/tarvelo.gif" width="32" height="32" alt="">[@SITE_NAME]</a>
  <nav>
    [@NAV_*]
  </nav>
</header>
<main>
  <h1>[@TITLE]</h1>
  <p class="intro">[@INTRO]</p>
[@BODY]
</main>
[@SPACER(@height:16)]
<footer>
  <p>[@FOOTER]</p>
</footer>
</body>
</html>
