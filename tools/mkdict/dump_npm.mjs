// Prints the word lists of the npm sources as plain lines, sorted, so that the
// generator reads them without a JavaScript runtime of its own.
//   node dump_npm.mjs NODE_MODULES brill|dale-chall|spache
import path from 'node:path'
import {pathToFileURL} from 'node:url'

const [modules, which] = process.argv.slice(2)
const load = async (name) => import(pathToFileURL(path.join(modules, name, 'index.js')).href)

let lines = []
if (which === 'brill') {
  const {brill} = await load('brill')
  for (const [word, tags] of Object.entries(brill)) lines.push(`${word}\t${tags.join(' ')}`)
} else if (which === 'dale-chall') {
  lines = (await load('dale-chall')).daleChall.slice()
} else if (which === 'spache') {
  lines = (await load('spache')).spache.slice()
} else {
  console.error(`unknown list: ${which}`)
  process.exit(2)
}
lines.sort((a, b) => (a < b ? -1 : a > b ? 1 : 0))
process.stdout.write(lines.join('\n') + '\n')
